# Delay-loaded system libraries. The card player shows its front before it
# prints, opens a link or plays media, and under Wine every library loaded at
# start-up costs time before the first paint; loading these at their first
# call instead starts a card noticeably sooner.
#
# kz8_delay_import(NAME DLL FUNCTIONS...) makes the import library NAME whose
# FUNCTIONS are bound at their first call. Link it before the ordinary import
# library of DLL; functions it does not list still bind at start-up. Name
# __stdcall functions with their argument bytes ("ShellExecuteA@24"): the
# 32-bit tree links by that name, the 64-bit tree without it.
if(NOT KZ8_WINDOWS)
    return()
endif()
find_program(KZ8_DLLTOOL NAMES ${KZ8_TRIPLET}-dlltool REQUIRED)

function(kz8_delay_import name dll)
    set(def ${CMAKE_BINARY_DIR}/delay-imports/${name}.def)
    set(lib ${CMAKE_BINARY_DIR}/delay-imports/lib${name}.a)
    set(functions ${ARGN})
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(machine i386 --kill-at)
    else()
        set(machine i386:x86-64)
        list(TRANSFORM functions REPLACE "@[0-9]+$" "")
    endif()
    list(JOIN functions "\n" exports)
    file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
    add_custom_command(OUTPUT ${lib}
        COMMAND ${KZ8_DLLTOOL} -m ${machine} --input-def ${def} --dllname ${dll}
                --output-delaylib ${lib}
        DEPENDS ${def}
        COMMENT "Delay-load import library for ${dll}")
    add_custom_target(${name}_build DEPENDS ${lib})
    add_library(${name} STATIC IMPORTED GLOBAL)
    set_target_properties(${name} PROPERTIES IMPORTED_LOCATION ${lib}
        INTERFACE_LINK_LIBRARIES delayimp)
    add_dependencies(${name} ${name}_build)
endfunction()

# What the player and the audio engine call only when asked to print, open a
# link, play a clip, use DirectSound or open a file through libmpg123.
kz8_delay_import(kz8_delay_comdlg32 comdlg32.dll PrintDlgA@4)
kz8_delay_import(kz8_delay_msvfw32 msvfw32.dll MCIWndCreateA)
kz8_delay_import(kz8_delay_shell32 shell32.dll ShellExecuteA@24)
kz8_delay_import(kz8_delay_ole32 ole32.dll CoCreateInstance@20 CoInitialize@4 CoUninitialize@0)
kz8_delay_import(kz8_delay_shlwapi shlwapi.dll PathCombineW@12 PathIsRelativeW@4 PathIsUNCW@4)
# The maker's file-dialog library, which the mail library's MAPI delivery
# uses for pictures and which may be missing: bound at the first call.
kz8_delay_import(kz8_delay_hydll HYDLL.dll HyOpenFile HySaveFile)
