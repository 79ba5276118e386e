# Cross build for macOS on x86-64 with the Clang, libc++ and macOS library stubs that come with Zig
# (zig c++ -target x86_64-macos, zig on the PATH), and LLVM's tools for Mach-O archives and install
# names (Debian's llvm). It compiles and links; nothing here runs the programs it makes.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_SIZEOF_VOID_P 8) # CMake cannot detect it: zig refuses the linker flag -v that it uses
find_program(ZIG zig REQUIRED)
set(CMAKE_C_COMPILER "${ZIG}" cc -target x86_64-macos)
set(CMAKE_CXX_COMPILER "${ZIG}" c++ -target x86_64-macos)
file(GLOB llvm_tools /usr/lib/llvm-*/bin)
find_program(CMAKE_AR llvm-ar HINTS ${llvm_tools} REQUIRED)
find_program(CMAKE_RANLIB llvm-ranlib HINTS ${llvm_tools} REQUIRED)
find_program(CMAKE_INSTALL_NAME_TOOL llvm-install-name-tool HINTS ${llvm_tools} REQUIRED)
