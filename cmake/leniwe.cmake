# Lazily bound system DLLs: the program maps them only at the first call into
# them, so the check without a window does not pay Wine's cost of loading the
# shell, COM and window DLLs. The same on i686 and x64: binutils' delay-import
# libraries do not work for i686 (ld drops a member's stub code when only its
# __imp_ slot is referenced, so the slot starts as 0 and the first call jumps
# there).
#
# pro_leniwe_dll(<target> <folder> <dll>...) makes the static library <target>
# that binds every function of the DLLs lazily, written at build time from
# their import libraries lib<dll>.a in <folder> (cmake/leniwe-importy.cmake).
# Link it instead of the DLLs' import libraries.
enable_language(ASM)
function(pro_leniwe_dll cel biblioteki)
    set(katalog ${CMAKE_BINARY_DIR}/leniwe)
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(arch x64)
    else()
        set(arch i686)
    endif()
    set(zrodla)
    set(importy)
    foreach(dll IN LISTS ARGN)
        list(APPEND zrodla ${katalog}/${dll}.s)
        list(APPEND importy ${biblioteki}/lib${dll}.a)
    endforeach()
    list(JOIN ARGN "," dlls)
    set(skrypt ${CMAKE_SOURCE_DIR}/cmake/leniwe-importy.cmake)
    add_custom_command(OUTPUT ${zrodla}
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${katalog}
                       COMMAND ${CMAKE_COMMAND} -DNM=${PRO_TRIPLET}-nm -DARCH=${arch}
                               -DBIBLIOTEKI=${biblioteki} -DDLLS=${dlls}
                               -DWYJSCIE=${katalog} -P ${skrypt}
                       DEPENDS ${skrypt} ${importy}
                       COMMENT "Lazily bound imports of ${dlls}"
                       VERBATIM)
    add_library(${cel} STATIC ${zrodla}
                ${CMAKE_SOURCE_DIR}/platform/win32/leniwe/LeniweImporty.cpp
                ${CMAKE_SOURCE_DIR}/platform/win32/leniwe/ZSystemu.cpp)
    target_include_directories(${cel} PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(${cel} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic
                                             -Wconversion -Wno-sign-conversion -Werror>)
endfunction()
