# Delay-loaded system DLLs: the program loads them only at the first call into
# them, so the check without a window does not pay Wine's cost of loading the
# shell, COM and window DLLs.
#
# pro_dll_opoznione(<var> <dll>...) sets <var> to the delay-import libraries
# of the DLLs, made from the toolchain's import libraries. Functions only: a
# data export cannot be delay-loaded, so it is left out and links fail loudly.
function(pro_dll_opoznione wynik)
    set(katalog ${CMAKE_BINARY_DIR}/opoznione)
    file(MAKE_DIRECTORY ${katalog})
    set(biblioteki)
    foreach(dll IN LISTS ARGN)
        set(importy /usr/${PRO_TRIPLET}/lib/lib${dll}.a)
        set(def ${katalog}/${dll}.def)
        set(biblioteka ${katalog}/lib${dll}_opoznione.a)
        execute_process(COMMAND ${PRO_TRIPLET}-nm -g --defined-only ${importy}
                        OUTPUT_VARIABLE symbole RESULT_VARIABLE blad)
        if(blad)
            message(FATAL_ERROR "nm failed on ${importy}")
        endif()
        # One code symbol per function: "ShellExecuteW" (x64),
        # "_ShellExecuteW@24" (i686, where the DLL's name loses the @24: -k).
        string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" funkcje "${symbole}")
        list(TRANSFORM funkcje REPLACE "^[0-9a-f]+ T " "")
        if(PRO_TRIPLET MATCHES "^i686")
            list(TRANSFORM funkcje REPLACE "^_" "")
            set(bez_malp -k)
        else()
            set(bez_malp)
        endif()
        list(REMOVE_DUPLICATES funkcje)
        list(SORT funkcje)
        list(JOIN funkcje "\n" eksporty)
        set(tresc "LIBRARY ${dll}.dll\nEXPORTS\n${eksporty}\n")
        set(stara)
        if(EXISTS ${def})
            file(READ ${def} stara)
        endif()
        if(NOT stara STREQUAL tresc)
            file(WRITE ${def} "${tresc}")
        endif()
        if(NOT EXISTS ${biblioteka} OR ${def} IS_NEWER_THAN ${biblioteka})
            execute_process(COMMAND ${PRO_TRIPLET}-dlltool ${bez_malp} --input-def ${def}
                                    --output-delaylib ${biblioteka} --dllname ${dll}.dll
                            WORKING_DIRECTORY ${katalog} RESULT_VARIABLE blad)
            if(blad)
                message(FATAL_ERROR "dlltool failed on ${def}")
            endif()
        endif()
        list(APPEND biblioteki ${biblioteka})
    endforeach()
    set(${wynik} ${biblioteki} PARENT_SCOPE)
endfunction()
