# Cross build for 64-bit ARM Linux with Debian's GNU toolchain (g++-aarch64-linux-gnu).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(triplet aarch64-linux-gnu)
include("${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake")
