# Conventions shared by every folder: warnings, the portable/Win32 split, tests.
#
# Each subsystem folder keeps code that needs no Windows header in portable/
# and the Win32 glue in win32/. kz8_portable_library() compiles every file of a
# portable/ folder, in every tree, so the portable core cannot drift from the
# native build; kz8_win32_library() exists only in the Windows trees.

if(WIN32)
    set(KZ8_WINDOWS ON)
else()
    set(KZ8_WINDOWS OFF)
endif()

set(KZ8_SOURCE_ROOT ${CMAKE_SOURCE_DIR})

add_library(kz8_warnings INTERFACE)
target_compile_options(kz8_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror -Wshadow
    -Wno-missing-field-initializers)
if(KZ8_WINDOWS)
    target_compile_definitions(kz8_warnings INTERFACE WIN32_LEAN_AND_MEAN NOMINMAX
        _WIN32_WINNT=0x0501 WINVER=0x0501 STRICT)
    # No DLL of ours may depend on the compiler's run-time DLLs.
    add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(KZ8_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# kz8_portable_library(NAME FOLDER [DEPS ...]): every .cpp of FOLDER/portable.
function(kz8_portable_library name folder)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/portable/*.cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${KZ8_SOURCE_ROOT})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE kz8_warnings)
    set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
    # The fuzzers are guided by coverage of the parsers they drive, and the
    # parsers live here: every portable library is instrumented.
    if(KZ8_FUZZ)
        target_compile_options(${name} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
endfunction()

# kz8_win32_library(NAME FOLDER [DEPS ...]): every .cpp of FOLDER/win32.
function(kz8_win32_library name folder)
    cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${folder}/win32/*.cpp)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${KZ8_SOURCE_ROOT})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE kz8_warnings)
endfunction()

# kz8_test(NAME LABEL SOURCES... [DEPS ...] [DEVICE_TIMING why]): a GoogleTest program. Native
# tests run directly; Windows tests run under the Wine harness through
# CMAKE_CROSSCOMPILING_EMULATOR. In the 32-bit tree tests are built but not
# registered, since nothing 32-bit can run on these machines.
function(kz8_test name label)
    cmake_parse_arguments(ARG "SERIAL" "TIMEOUT;DEVICE_TIMING" "SOURCES;DEPS;PROPERTIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} kz8::gtest kz8_warnings)
    target_include_directories(${name} PRIVATE ${KZ8_SOURCE_ROOT})
    if(KZ8_WINDOWS AND CMAKE_SIZEOF_VOID_P EQUAL 4)
        return()
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES LABELS ${label} TIMEOUT ${ARG_TIMEOUT})
    # DEVICE_TIMING "why": the test depends on how Wine's devices keep time on
    # a loaded machine, so the Windows test run may retry it (label
    # device-timing); every other test must pass the first time.
    if(ARG_DEVICE_TIMING)
        set_property(TEST ${name} APPEND PROPERTY LABELS device-timing)
    endif()
    if(KZ8_WINDOWS)
        set_property(TEST ${name} APPEND PROPERTY FIXTURES_REQUIRED wine_session)
    endif()
    if(ARG_SERIAL)
        set_property(TEST ${name} PROPERTY RUN_SERIAL TRUE)
    endif()
    if(ARG_PROPERTIES)
        set_tests_properties(${name} PROPERTIES ${ARG_PROPERTIES})
    endif()
endfunction()

# Test data made by scripts/make-fixtures.sh, shared by all trees.
set(KZ8_FIXTURES_DIR ${CMAKE_BINARY_DIR}/fixtures)
