# What the two Windows cross toolchains share: Debian's MinGW-w64 compilers in their POSIX-threads
# flavour, whose C++ library has std::mutex, which GoogleTest needs; and executables that link the
# C and C++ support libraries statically, so that they need no DLL beyond Windows' own, and carry
# no link time stamp, so that the same sources give the same bytes.
set(CMAKE_SYSTEM_NAME Windows)
set(compiler_suffix -posix)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -Wl,--no-insert-timestamp")
include("${CMAKE_CURRENT_LIST_DIR}/gnu-cross.cmake")
