# Cross build for 64-bit Windows (x86-64) with Debian's MinGW-w64 toolchain, in its
# POSIX-threads flavour: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(triplet x86_64-w64-mingw32)
set(compiler_suffix -posix)
include("${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake")
