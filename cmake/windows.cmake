# Windows build (MinGW-w64): the real platform, the windows, the program, and
# the Windows test suite run by ctest under Wine.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
add_compile_options(-ffunction-sections -fdata-sections)
# The whole command on the command line, not in response files: CMake escapes
# a "$" in a folder's name for make inside a response file too, which the
# compiler then reads as it stands. Linux takes commands this long.
foreach(jezyk C CXX ASM)
    foreach(co INCLUDES OBJECTS LIBRARIES)
        set(CMAKE_${jezyk}_USE_RESPONSE_FILE_FOR_${co} 0)
    endforeach()
# pro_zasoby(<target> <file.rc>): the resources compiled into the target.
# windres hands the file's name to the preprocessor through a shell, which
# would expand a "$" in a folder's name: it is given the name alone, run in
# the file's own folder.
function(pro_zasoby cel plik)
    get_filename_component(folder ${plik} DIRECTORY)
    get_filename_component(nazwa ${plik} NAME)
    set(obiekt ${CMAKE_BINARY_DIR}/zasoby/${cel}.res.o)
    add_custom_command(OUTPUT ${obiekt}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/zasoby
                       COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${nazwa} -o ${obiekt}
                       DEPENDS ${plik} WORKING_DIRECTORY ${folder} VERBATIM)
    target_sources(${cel} PRIVATE ${obiekt})
endfunction()
endforeach()

# Every test program runs under Wine in a prefix inside this build folder.
set(PRO_PREFIKS_WINE ${CMAKE_BINARY_DIR}/wine)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(PRO_LADOWACZ_WINE wine64)
else()
    set(PRO_LADOWACZ_WINE wine)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/cmake/wine-test.sh ${PRO_PREFIKS_WINE}
    ${PRO_LADOWACZ_WINE})

include(${CMAKE_SOURCE_DIR}/cmake/leniwe.cmake)
# Only KnownDLLs (advapi32, kernel32, msvcrt) stay ordinary imports: Windows
# maps those from the system folder whatever lies beside the program, before
# any of its code runs. version is no KnownDLL, so it is bound lazily like the
# DLLs of the windows, the shell and COM (Excel's probe), which load at their
# first call; all from the system folder. ole32 before oleaut32: the
# error-info functions both export are ole32's.
pro_leniwe_dll(pro_leniwe /usr/${PRO_TRIPLET}/lib
               user32 gdi32 comctl32 comdlg32 shell32 ole32 oleaut32 msimg32 version)

file(GLOB PRO_WIN32_ZRODLA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/win32/*.cpp)
add_library(pro_win32 STATIC ${PRO_WIN32_ZRODLA})
target_link_libraries(pro_win32 PUBLIC pro_core pro_leniwe uuid advapi32)
pro_ostrzezenia(pro_win32)

file(GLOB PRO_UI_ZRODLA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/ui/*.cpp)
# The program's version resource, from the project version, with the maker's
# notice as the report prints it (catalogue/Katalog.h holds it).
file(STRINGS ${CMAKE_SOURCE_DIR}/catalogue/Katalog.h PRO_NOTA_PRODUCENTA
     REGEX "NotaProducenta = \"[^\"]+\"" ENCODING UTF-8)
string(REGEX REPLACE ".*NotaProducenta = \"([^\"]+)\".*" "\\1" PRO_NOTA_PRODUCENTA
       "${PRO_NOTA_PRODUCENTA}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${CMAKE_SOURCE_DIR}/catalogue/Katalog.h)
if(NOT PRO_NOTA_PRODUCENTA)
    message(FATAL_ERROR "catalogue/Katalog.h: nie znaleziono NotaProducenta")
endif()
file(GLOB PRO_APP_ZRODLA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
configure_file(${CMAKE_SOURCE_DIR}/app/wersja.rc.in ${CMAKE_BINARY_DIR}/wersja.rc @ONLY)

# pro_program(<exe> <ui library> [EXCLUDE_FROM_ALL]): the program, its windows
# from the library given.
function(pro_program cel ui)
    add_library(${ui} STATIC ${ARGN} ${PRO_UI_ZRODLA})
    target_link_libraries(${ui} PUBLIC pro_core pro_win32 pro_leniwe)
    pro_ostrzezenia(${ui})
    add_executable(${cel} WIN32 ${ARGN} ${PRO_APP_ZRODLA})
    pro_zasoby(${cel} ${CMAKE_BINARY_DIR}/wersja.rc)
    target_link_libraries(${cel} PRIVATE pro_win32 ${ui})
    # wWinMain: MinGW needs to know the entry is the wide one.
    target_link_options(${cel} PRIVATE -municode)
    pro_ostrzezenia(${cel})
    # A small executable: no symbols, no unused code. No time stamp either: the
    # same source gives the same exe, byte for byte, so that a published one can
    # be checked against it. The linker's map (in the build folder) names the
    # parts it is made of.
    target_link_options(${cel} PRIVATE -s -Wl,--gc-sections -Wl,--no-insert-timestamp
                        -Wl,-Map=${cel}.map)
endfunction()
pro_program(probierator pro_ui)
# scripts/bench: the same program with marks of its start's steps
# (platform/win32/Znaczniki.h).
pro_program(probierator_znaczniki pro_ui_znaczniki EXCLUDE_FROM_ALL)
target_compile_definitions(pro_ui_znaczniki PUBLIC PRO_ZNACZNIKI)

# googletest from Debian's sources, built with the cross compiler.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# The core's own tests, run once more as Windows programs under Wine.
file(GLOB PRO_TESTY_NATYWNE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(testy_rdzenia ${PRO_TESTY_NATYWNE})
target_link_libraries(testy_rdzenia PRIVATE pro_sim gtest gtest_main)
add_test(NAME rdzen_pod_wine COMMAND testy_rdzenia)

include(${CMAKE_SOURCE_DIR}/tests/windows/testy.cmake)

# The import check on an executable; with a DLL, expected to reject that one.
function(pro_sprawdz_importy nazwa cel)
    add_test(NAME ${nazwa}
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${PRO_TRIPLET}-objdump
                     -DOBJCOPY=${PRO_TRIPLET}-objcopy -DEXE=$<TARGET_FILE:${cel}>
                     -P ${CMAKE_SOURCE_DIR}/cmake/sprawdz-importy.cmake)
    if(ARGC GREATER 2)
        set_tests_properties(${nazwa} PROPERTIES
                             PASS_REGULAR_EXPRESSION "-- odrzucona: ${ARGV2}\\.dll\n")
    endif()
endfunction()

# The product needs no DLL beyond Windows' own.
pro_sprawdz_importy(exe_importuje_tylko_dll_windows probierator)
# The same check must reject a DLL of no Windows even when it is delay-loaded.
set(PRO_OBCA ${CMAKE_BINARY_DIR}/opoznione/obca)
file(WRITE ${PRO_OBCA}.def "LIBRARY obca.dll\nEXPORTS\nObcaFunkcja\n")
file(WRITE ${PRO_OBCA}.cpp "extern \"C\" int ObcaFunkcja();\nint main() { return ObcaFunkcja(); }\n")
add_custom_command(OUTPUT ${PRO_OBCA}_opozniona.a
                   COMMAND ${PRO_TRIPLET}-dlltool --input-def ${PRO_OBCA}.def
                           --output-delaylib ${PRO_OBCA}_opozniona.a --dllname obca.dll
                   DEPENDS ${PRO_OBCA}.def WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/opoznione
                   VERBATIM)
add_custom_target(obca_opozniona_lib DEPENDS ${PRO_OBCA}_opozniona.a)
add_executable(obca_opozniona ${PRO_OBCA}.cpp)
add_dependencies(obca_opozniona obca_opozniona_lib)
target_link_libraries(obca_opozniona PRIVATE ${PRO_OBCA}_opozniona.a)
pro_sprawdz_importy(sprawdzenie_importow_odrzuca_obca_dll_opozniona obca_opozniona obca)
# ... and when it is bound lazily by our own import slots.
add_custom_command(OUTPUT ${PRO_OBCA}/libobca.a
                   COMMAND ${CMAKE_COMMAND} -E make_directory ${PRO_OBCA}
                   COMMAND ${PRO_TRIPLET}-dlltool --input-def ${PRO_OBCA}.def
                           --output-lib ${PRO_OBCA}/libobca.a --dllname obca.dll
                   DEPENDS ${PRO_OBCA}.def VERBATIM)
pro_leniwe_dll(obca_leniwa_lib ${PRO_OBCA} obca)
add_executable(obca_leniwa ${PRO_OBCA}.cpp)
target_link_libraries(obca_leniwa PRIVATE obca_leniwa_lib)
pro_sprawdz_importy(sprawdzenie_importow_odrzuca_obca_dll_leniwa obca_leniwa obca)
# ... and a DLL of Windows that is no KnownDLL, imported at start.
file(WRITE ${PRO_OBCA}_statyczna.cpp
     "extern \"C\" __declspec(dllimport) unsigned long __stdcall\n"
     "GetFileVersionInfoSizeW(const wchar_t*, unsigned long*);\n"
     "int main() { return static_cast<int>(GetFileVersionInfoSizeW(L\"x\", nullptr)); }\n")
add_executable(obca_statyczna ${PRO_OBCA}_statyczna.cpp)
target_link_libraries(obca_statyczna PRIVATE version)
pro_sprawdz_importy(sprawdzenie_importow_odrzuca_statyczny_import_spoza_knowndlls obca_statyczna
                    version)

# scripts/bench: minimal programs built the same way (one without a window,
# one with a window and the common controls), each also with the marks of
# the program's; one that only lists and reads the overview's files; and the
# measuring tool.
foreach(wariant "" _znaczniki)
    add_executable(minimalny${wariant} WIN32 EXCLUDE_FROM_ALL
                   ${CMAKE_SOURCE_DIR}/tests/bench/minimalny.cpp)
    add_executable(minimalne_okno${wariant} WIN32 EXCLUDE_FROM_ALL
                   ${CMAKE_SOURCE_DIR}/tests/bench/minimalne_okno.cpp)
    target_link_libraries(minimalne_okno${wariant} PRIVATE comctl32)
    foreach(cel minimalny${wariant} minimalne_okno${wariant})
        target_include_directories(${cel} PRIVATE ${CMAKE_SOURCE_DIR})
        target_link_options(${cel} PRIVATE -municode)
        pro_ostrzezenia(${cel})
        if(wariant)
            target_compile_definitions(${cel} PRIVATE PRO_ZNACZNIKI)
        endif()
    endforeach()
endforeach()
add_executable(minimalny_odczyt WIN32 EXCLUDE_FROM_ALL
               ${CMAKE_SOURCE_DIR}/tests/bench/minimalny_odczyt.cpp)
target_link_options(minimalny_odczyt PRIVATE -municode)
pro_ostrzezenia(minimalny_odczyt)
add_executable(pomiar EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/bench/pomiar.cpp)
target_link_options(pomiar PRIVATE -municode)
target_link_libraries(pomiar PRIVATE psapi user32)
pro_ostrzezenia(pomiar)
