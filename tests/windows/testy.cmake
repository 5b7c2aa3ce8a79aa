# The Windows test suite: real registry, real files, real windows, under Wine.

# Fixture programs: one with a version resource whose fixed block differs from
# its string table, one without any version resource.
add_executable(z_wersja ${CMAKE_CURRENT_LIST_DIR}/dane/pusty.cpp)
pro_zasoby(z_wersja ${CMAKE_CURRENT_LIST_DIR}/dane/z_wersja.rc)
add_executable(bez_wersji ${CMAKE_CURRENT_LIST_DIR}/dane/pusty.cpp)
# Prints the operating-system name; run as a child under several Windows
# versions that Wine reports per program name.
add_executable(nazwa_systemu ${CMAKE_CURRENT_LIST_DIR}/dane/nazwa_systemu.cpp)
# Planted beside a copy of the program under system DLLs' names.
add_library(podrzucona SHARED ${CMAKE_CURRENT_LIST_DIR}/dane/podrzucona.cpp)
set_target_properties(podrzucona PROPERTIES PREFIX "")
target_link_libraries(nazwa_systemu PRIVATE pro_win32)
pro_ostrzezenia(nazwa_systemu)

file(GLOB PRO_TESTY_WINDOWS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(testy_windows ${PRO_TESTY_WINDOWS})
target_link_libraries(testy_windows PRIVATE pro_win32 pro_sim gtest oleacc oleaut32)
if(TARGET pro_ui)
    target_link_libraries(testy_windows PRIVATE pro_ui)
endif()
add_dependencies(testy_windows z_wersja bez_wersji nazwa_systemu podrzucona)
pro_ostrzezenia(testy_windows)
# The tests share one Wine prefix and write its registry: one at a time.
gtest_discover_tests(testy_windows DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 180
                     PROPERTIES RESOURCE_LOCK prefiks_wine)

# The substitute "Excel.Application" automation server.
# The .def file by a path relative to the link's folder: CMake writes a
# listed .def's full path escaped for make into a link script that no make
# reads, so a "$" in the folder's name would break it.
configure_file(${CMAKE_CURRENT_LIST_DIR}/excel/excel_zastepczy.def
               ${CMAKE_BINARY_DIR}/excel_zastepczy.def COPYONLY)
add_library(excel_zastepczy SHARED ${CMAKE_CURRENT_LIST_DIR}/excel/excel_zastepczy.cpp)
set_target_properties(excel_zastepczy PROPERTIES PREFIX ""
                      LINK_DEPENDS ${CMAKE_BINARY_DIR}/excel_zastepczy.def)
target_link_libraries(excel_zastepczy PRIVATE oleaut32 uuid)
target_link_options(excel_zastepczy PRIVATE excel_zastepczy.def -Wl,--enable-stdcall-fixup)
add_dependencies(testy_windows excel_zastepczy)
add_dependencies(testy_windows probierator)
# The same as a local server (an exe that COM starts), in three modes.
add_executable(excel_lokalny WIN32 ${CMAKE_CURRENT_LIST_DIR}/excel/excel_lokalny.cpp)
target_link_libraries(excel_lokalny PRIVATE ole32 oleaut32 uuid shell32)
target_link_options(excel_lokalny PRIVATE -municode)
pro_zasoby(excel_lokalny ${CMAKE_CURRENT_LIST_DIR}/excel/excel_lokalny.rc)
add_dependencies(testy_windows excel_lokalny)
