# Cross build for 32-bit Windows (Intel 80386) with Debian's MinGW-w64 toolchain.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(triplet i686-w64-mingw32)
include("${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake")
