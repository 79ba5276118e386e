# Cross build for 32-bit Windows (Intel 80386) with Debian's MinGW-w64 toolchain, in its
# POSIX-threads flavour: its C++ library has std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(triplet i686-w64-mingw32)
set(compiler_suffix -posix)
include("${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake")
