cmake_minimum_required(VERSION 3.25)
# Writes, for each DLL of DLLS, an assembly file of lazily bound imports made
# from the toolchain's import library: for every function an import slot
# named as the import library names it (__imp__GetSystemMetrics@4 on i686,
# __imp_GetSystemMetrics on x64), which first points to a stub that hands the
# slot's descriptor to pro_leniwe_wejscie (the DLL is loaded, the slot
# patched, the call goes on), and the plain thunk that jumps through the slot.
# Every function in sections of its own: the linker keeps only what is called.
# Data exports have no code symbol in the import library and are left out: a
# use of one would come from the ordinary import library, an import at load
# time, which the module test reports.
#
# cmake -DNM=... -DARCH=i686|x64 -DBIBLIOTEKI=/usr/<triplet>/lib -DDLLS=a,b
#       -DWYJSCIE=<folder> -P leniwe-importy.cmake
string(REPLACE "," ";" dlls "${DLLS}")
if(ARCH STREQUAL "i686")
    set(wskaznik ".long")
    set(wyrownanie 4)
    set(wejscie _pro_leniwe_wejscie)
else()
    set(wskaznik ".quad")
    set(wyrownanie 8)
    set(wejscie pro_leniwe_wejscie)
endif()

# A function two DLLs export (GetErrorInfo: ole32 and oleaut32) is bound to
# the first one listed.
foreach(dll IN LISTS dlls)
    set(importy ${BIBLIOTEKI}/lib${dll}.a)
    execute_process(COMMAND ${NM} -g --defined-only ${importy}
                    OUTPUT_VARIABLE symbole RESULT_VARIABLE blad)
    if(blad)
        message(FATAL_ERROR "nm failed on ${importy}")
    endif()
    string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" funkcje "${symbole}")
    list(TRANSFORM funkcje REPLACE "^[0-9a-f]+ T " "")
    list(REMOVE_DUPLICATES funkcje)
    list(SORT funkcje)

    set(s "# Lazily bound imports of ${dll}.dll, made by cmake/leniwe-importy.cmake.\n")
    # The DLL's name in a section of its own: the import check reads there
    # which DLLs the program may load lazily.
    string(APPEND s "\t.section\t.leniwe,\"dr\"\n.Lnazwa_dll:\n\t.string16\t\"${dll}.dll\"\n")
    # The DLL's module handle (0 until loaded) and its name.
    string(APPEND s "\t.section\t.data$pro_${dll},\"w\"\n\t.balign\t${wyrownanie}\n")
    string(APPEND s ".Ldll:\n\t${wskaznik}\t0, .Lnazwa_dll\n")
    set(i 0)
    foreach(f IN LISTS funkcje)
        if(DEFINED "widziany ${f}")
            continue()
        endif()
        set("widziany ${f}" 1)
        set(slot __imp_${f})
        # The name the DLL exports: _Name@N on i686 is Name.
        set(nazwa ${f})
        if(ARCH STREQUAL "i686")
            string(REGEX REPLACE "^_" "" nazwa "${nazwa}")
            string(REGEX REPLACE "@[0-9]+$" "" nazwa "${nazwa}")
            set(skok "\tjmp\t*${slot}\n.Lw${i}:\n\tmovl\t$.Lo${i}, %eax\n")
        else()
            set(skok "\tjmp\t*${slot}(%rip)\n.Lw${i}:\n\tleaq\t.Lo${i}(%rip), %rax\n")
        endif()
        set(sekcja pro_${dll}_${i})
        string(APPEND s
               "\t.section\t.data$${sekcja},\"w\"\n\t.balign\t${wyrownanie}\n"
               "\t.globl\t${slot}\n${slot}:\n\t${wskaznik}\t.Lw${i}\n"
               "\t.section\t.text$${sekcja},\"xr\"\n\t.globl\t${f}\n${f}:\n${skok}"
               "\tjmp\t${wejscie}\n"
               "\t.section\t.rdata$${sekcja},\"dr\"\n\t.balign\t${wyrownanie}\n"
               ".Lo${i}:\n\t${wskaznik}\t${slot}, .Ldll, .Ln${i}\n.Ln${i}:\n\t.asciz\t\"${nazwa}\"\n")
        math(EXPR i "${i} + 1")
    endforeach()
    file(WRITE ${WYJSCIE}/${dll}.s "${s}")
endforeach()
