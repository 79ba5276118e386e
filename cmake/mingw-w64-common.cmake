# The parts of the MinGW-w64 toolchain files that depend only on the target triplet.
# The POSIX-threads flavour: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_C_COMPILER "${mingw_triplet}-gcc-posix")
set(CMAKE_CXX_COMPILER "${mingw_triplet}-g++-posix")
set(CMAKE_RC_COMPILER "${mingw_triplet}-windres")

set(CMAKE_FIND_ROOT_PATH "/usr/${mingw_triplet}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
