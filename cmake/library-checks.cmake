# Turns on the C++ library's own checks, for compiler-flags.cmake. The configure finds which
# library the compiler uses and its release, from the version macros the library defines, and
# picks the checks as that release names them, since one release's macro is another's error:
#   libstdc++                  _GLIBCXX_ASSERTIONS
#   libc++ 18 and newer        _LIBCPP_HARDENING_MODE=_LIBCPP_HARDENING_MODE_EXTENSIVE
#   libc++ 17                  _LIBCPP_ENABLE_HARDENED_MODE=1
#   libc++ 15 and 16           _LIBCPP_ENABLE_ASSERTIONS=1
#   libc++ before 15           _LIBCPP_DEBUG=0, its debug mode's assertions
# The choice is then tried on a program that uses the library. Another library, or one that
# refuses the choice, gets no checks, and the configure says so.
set(probe "${CMAKE_BINARY_DIR}/CMakeFiles/library-checks")
set(stdlib_flag "")
if(LIBCXX)
    set(stdlib_flag -stdlib=libc++)
endif()

# The library's name and version macro, as a string in the compiled program, read as CMake reads
# the compiler's own identification: nothing is run, so this works for cross builds too.
file(WRITE "${probe}/library.cpp" [=[
#include <cstddef>
#define TEXT(x) #x
#define VALUE(x) TEXT(x)
#if defined(_LIBCPP_VERSION)
#define LIBRARY "libc++ " VALUE(_LIBCPP_VERSION)
#elif defined(__GLIBCXX__)
#define LIBRARY "libstdc++ " VALUE(_GLIBCXX_RELEASE)
#else
#define LIBRARY "another 0"
#endif
const char* const info = "INFO:library[" LIBRARY "]";
int main(int argc, char**) { return info[argc] == 0 ? 0 : 1; }
]=])
try_compile(found "${probe}/library" SOURCES "${probe}/library.cpp" CXX_STANDARD 20
            COMPILE_DEFINITIONS ${stdlib_flag} LINK_OPTIONS ${stdlib_flag}
            COPY_FILE "${probe}/library.bin" OUTPUT_VARIABLE log)
if(NOT found)
    message(FATAL_ERROR "A C++ program could not be built to find the C++ library:\n${log}")
endif()
file(STRINGS "${probe}/library.bin" info REGEX "INFO:library\\[[^]]*\\]")
string(REGEX MATCH "INFO:library\\[([^ ]*) ([0-9]*)\\]" info "${info}")
set(library "${CMAKE_MATCH_1}")
set(version "${CMAKE_MATCH_2}")

# _LIBCPP_VERSION is major * 1000 + minor up to release 15 (14000), major * 10000 + ... after.
set(checks "")
if(library STREQUAL "libstdc++")
    set(checks _GLIBCXX_ASSERTIONS)
    set(release "libstdc++ ${version}")
elseif(library STREQUAL "libc++")
    math(EXPR major "${version} / 1000")
    if(version GREATER_EQUAL 100000)
        math(EXPR major "${version} / 10000")
    endif()
    set(release "libc++ ${major} (_LIBCPP_VERSION ${version})")
    if(major GREATER_EQUAL 18)
        set(checks _LIBCPP_HARDENING_MODE=_LIBCPP_HARDENING_MODE_EXTENSIVE)
    elseif(major EQUAL 17)
        set(checks _LIBCPP_ENABLE_HARDENED_MODE=1)
    elseif(major GREATER_EQUAL 15)
        set(checks _LIBCPP_ENABLE_ASSERTIONS=1)
    else()
        set(checks _LIBCPP_DEBUG=0)
    endif()
else()
    set(release "a C++ library that is neither libstdc++ nor libc++")
endif()

if(checks)
    file(WRITE "${probe}/checks.cpp" [=[
#include <vector>
int main(int argc, char**) { return std::vector<int>(2).at(static_cast<std::size_t>(argc)); }
]=])
    try_compile(accepted "${probe}/checks" SOURCES "${probe}/checks.cpp" CXX_STANDARD 20
                COMPILE_DEFINITIONS ${stdlib_flag} -D${checks} LINK_OPTIONS ${stdlib_flag}
                OUTPUT_VARIABLE log)
    if(NOT accepted)
        message(STATUS "The C++ library's checks: none, since ${release} refused ${checks}.")
        return()
    endif()
    message(STATUS "The C++ library's checks: ${checks}, for ${release}.")
    add_compile_definitions("$<${cxx}:${checks}>")
else()
    message(STATUS "The C++ library's checks: none known for ${release}.")
endif()
