# The parts of the cross toolchain files that depend only on the target triplet: Debian's GNU cross
# compilers are named after it, and the target's libraries and headers lie under /usr/<triplet>.
set(CMAKE_C_COMPILER "${triplet}-gcc${compiler_suffix}")
set(CMAKE_CXX_COMPILER "${triplet}-g++${compiler_suffix}")

set(CMAKE_FIND_ROOT_PATH "/usr/${triplet}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
