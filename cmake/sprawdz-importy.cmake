cmake_minimum_required(VERSION 3.25)
# Fails when EXE imports a DLL that Windows does not ship (a MinGW runtime DLL),
# at start, delay-loaded or bound lazily, and when it imports at start a DLL
# that is no KnownDLL: the loader would look for that one in the program's
# folder first, before any of the program's code runs.
execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE zrzut RESULT_VARIABLE wynik)
if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
string(REGEX MATCHALL "DLL Name: [^\n]+" importy "${zrzut}")
list(TRANSFORM importy REPLACE "DLL Name: " "")
set(statyczne ${importy})

# ld leaves the delay import directory of the header empty and puts the
# delay-loaded DLLs' names into .idata with the others: every name there.
set(idata ${EXE}.idata)
execute_process(COMMAND ${OBJCOPY} -O binary --only-section=.idata ${EXE} ${idata}
                RESULT_VARIABLE wynik)
if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "objcopy failed on ${EXE}")
endif()
file(STRINGS ${idata} nazwy REGEX "\\.[dD][lL][lL]$")
file(REMOVE ${idata})
list(APPEND importy ${nazwy})

# The lazily bound DLLs (cmake/leniwe-importy.cmake) are named in .leniwe.
set(leniwe ${EXE}.leniwe)
execute_process(COMMAND ${OBJCOPY} -O binary --only-section=.leniwe ${EXE} ${leniwe}
                RESULT_VARIABLE wynik)
if(NOT wynik EQUAL 0)
    message(FATAL_ERROR "objcopy failed on ${EXE}")
endif()
if(EXISTS ${leniwe})
    file(SIZE ${leniwe} rozmiar)
    if(rozmiar GREATER 0)
        file(STRINGS ${leniwe} nazwy ENCODING UTF-16LE REGEX "\\.[dD][lL][lL]$")
        list(APPEND importy ${nazwy})
    endif()
    file(REMOVE ${leniwe})
endif()
if(NOT importy)
    message(FATAL_ERROR "no imports found in ${EXE}")
endif()

set(dozwolone advapi32 comctl32 comdlg32 gdi32 kernel32 msimg32 msvcrt ole32 oleaut32 shell32
    shlwapi user32 version uxtheme)
# The KnownDLLs of every Windows from 7 on.
set(znane advapi32 clbcatq comdlg32 gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz nsi ole32
    oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32)
function(nazwa_dll nazwa wynik)
    string(REGEX MATCH "[A-Za-z0-9_-]+\\.[dD][lL][lL]$" dll "${nazwa}")
    string(REGEX REPLACE "\\.[dD][lL][lL]$" "" dll "${dll}")
    string(TOLOWER "${dll}" dll)
    set(${wynik} ${dll} PARENT_SCOPE)
endfunction()
# One short line of its own: CMake wraps an error's text, and the path can
# make it wrap anywhere.
function(odrzuc dll powod)
    message(STATUS "odrzucona: ${dll}.dll")
    message(FATAL_ERROR "${EXE} imports ${dll}.dll, ${powod}")
endfunction()

set(sprawdzone)
foreach(nazwa IN LISTS importy)
    nazwa_dll("${nazwa}" dll)
    if(dll IN_LIST sprawdzone)
        continue()
    endif()
    list(APPEND sprawdzone ${dll})
    if(NOT dll IN_LIST dozwolone)
        odrzuc(${dll} "which Windows does not ship")
    endif()
    message(STATUS "imports ${dll}.dll")
endforeach()
foreach(nazwa IN LISTS statyczne)
    nazwa_dll("${nazwa}" dll)
    if(NOT dll IN_LIST znane)
        odrzuc(${dll} "at start, and it is no KnownDLL: bind it lazily (cmake/leniwe.cmake)")
    endif()
endforeach()
