# Native (Linux) build: the core on the simulated machine.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB PRO_TESTY_NATYWNE CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(testy_natywne ${PRO_TESTY_NATYWNE})
target_link_libraries(testy_natywne PRIVATE pro_sim GTest::gtest GTest::gtest_main)
pro_ostrzezenia(testy_natywne)
gtest_discover_tests(testy_natywne DISCOVERY_TIMEOUT 60)


# scripts/bench: the verification on the simulated machine.
find_package(benchmark QUIET)
if(benchmark_FOUND)
    add_executable(bench_weryfikacja EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/bench/weryfikacja_bench.cpp)
    target_link_libraries(bench_weryfikacja PRIVATE pro_sim benchmark::benchmark)
endif()

# The overview page in a real browser: headless Chromium (scripts/instaluj
# installs it). Without it the tests fail; they never skip.
file(GLOB PRO_TESTY_PRZEGLADARKI CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/przegladarka/*.cpp)
add_executable(testy_przegladarki ${PRO_TESTY_PRZEGLADARKI})
target_link_libraries(testy_przegladarki PRIVATE pro_sim GTest::gtest GTest::gtest_main)
pro_ostrzezenia(testy_przegladarki)
gtest_discover_tests(testy_przegladarki DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 180)

# The Wine wrappers, with stub loaders, in both ways of running 32-bit Wine.
foreach(tryb natywnie emulacja)
    add_test(NAME opakowania_wine_${tryb}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/skrypty/opakowania_wine.sh ${tryb})
    set_tests_properties(opakowania_wine_${tryb} PROPERTIES TIMEOUT 60)
endforeach()

# scripts/zrzut-zestawienia and scripts/bench-zestawienie: result files of a
# made-up district, and the page built from them.
add_executable(zestawienie_probne EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/tests/bench/zestawienie_probne.cpp)
target_link_libraries(zestawienie_probne PRIVATE pro_sim)
pro_ostrzezenia(zestawienie_probne)

# scripts/instaluj when a mirror leaves an index out, with a stub apt-get.
add_test(NAME instaluj_bez_indeksu COMMAND ${CMAKE_SOURCE_DIR}/tests/skrypty/instaluj.sh)
set_tests_properties(instaluj_bez_indeksu PROPERTIES TIMEOUT 60)

# scripts/wydanie with a throwaway certificate: the release, its signature and
# the signed program under Wine (the first run builds and takes pictures).
add_test(NAME wydanie_podpisane COMMAND ${CMAKE_SOURCE_DIR}/tests/skrypty/wydanie.sh)
set_tests_properties(wydanie_podpisane PROPERTIES TIMEOUT 3600)
