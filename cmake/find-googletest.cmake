# GoogleTest, built from the sources Debian ships where they are present, with each preset's own
# compiler, standard library and sanitizers; otherwise an installed GoogleTest package. And CMake's
# module that registers its tests.
include(GoogleTest)
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources, to build")
if(EXISTS "${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
    # Its CMake files ask for a version that predates link-time optimisation as a target property.
    set(CMAKE_POLICY_DEFAULT_CMP0069 NEW)
    add_subdirectory("${GOOGLETEST_SOURCE_DIR}" googletest EXCLUDE_FROM_ALL SYSTEM)
    # MinGW's GCC has no symbol visibility on Windows, and its link-time optimisation, past the
    # switches that quiet third-party code, warns at each link where GoogleTest asks for it.
    if(MINGW)
        target_compile_definitions(gtest PUBLIC GTEST_API_=)
    endif()
    return()
endif()
find_package(GTest)
if(NOT GTest_FOUND)
    message(FATAL_ERROR "GoogleTest is missing: install libgtest-dev (on Debian and Ubuntu it "
                        "brings the sources too), or configure with -DBUILD_TESTING=OFF to build "
                        "the programs alone.")
endif()
