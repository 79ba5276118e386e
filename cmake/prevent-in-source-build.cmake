# A build in the source tree would mix its outputs with the sources. CMake itself writes
# CMakeCache.txt and CMakeFiles/ before and after this refusal, so the message names them.
file(REAL_PATH "${CMAKE_SOURCE_DIR}" source_dir)
file(REAL_PATH "${CMAKE_BINARY_DIR}" binary_dir)
if(source_dir STREQUAL binary_dir)
    message(FATAL_ERROR "In-source builds are not allowed: configure with a preset "
                        "(cmake --preset dev) or pick a build folder with -B. This attempt left "
                        "CMakeCache.txt and CMakeFiles/ in the source folder; delete them with "
                        "'cmake -E rm -rf CMakeCache.txt CMakeFiles'.")
endif()
