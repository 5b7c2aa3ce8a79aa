# Shared part of the MinGW-w64 toolchain files. The -posix compilers are
# required: googletest needs std::mutex, which the win32 thread model lacks.
set(CMAKE_C_COMPILER ${PRO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PRO_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${PRO_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PRO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static runtime: the executables import nothing but Windows' own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")
