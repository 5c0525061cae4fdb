# kz8_check_exports(TARGET DEF32 DEF64 [DECLS file.cpp]): a test that reads the
# built DLL's export table with objdump and checks that it exports exactly the
# names and ordinals of its .def file; names decorated the MSVC way must match
# what clang produces for the declarations in DECLS, so that a host built with
# MSVC finds them. The check is a Linux command, so it runs in the 32-bit
# tree too, where nothing Windows can run.
function(kz8_check_exports target def32 def64)
    cmake_parse_arguments(ARG "" "DECLS" "" ${ARGN})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(def ${def32})
        set(msvc_target i686-pc-windows-msvc)
    else()
        set(def ${def64})
        set(msvc_target x86_64-pc-windows-msvc)
    endif()
    target_sources(${target} PRIVATE ${def})
    add_test(NAME ${target}_exports
        COMMAND ${KZ8_SOURCE_ROOT}/scripts/check-exports.sh
            --objdump ${CMAKE_OBJDUMP} --dll $<TARGET_FILE:${target}> --def ${def}
            --msvc-target ${msvc_target} --decls "${ARG_DECLS}")
    set_tests_properties(${target}_exports PROPERTIES LABELS exports)
endfunction()
