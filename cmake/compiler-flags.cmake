# The build's options, which the presets set, and the flags that each adds to every C++ target of
# the build, GoogleTest's included. They come on top of the platform's own flags
# (CMAKE_<LANG>_FLAGS and their defaults), never in their place. The flags are written for the
# command line of GCC and Clang; a compiler with MSVC's command line (cl, clang-cl) gets its own
# equivalents where there are any.
option(STRICT_WARNINGS "Warn about implicit conversions, shadowing, C-style casts and the like" OFF)
option(LIBRARY_CHECKS "Turn on the C++ library's own checks, as the library found names them" OFF)
set(SANITIZERS "" CACHE STRING "Sanitizers to build with, named as -fsanitize names them")
option(LIBCXX "Build with LLVM's C++ library, libc++, instead of the compiler's default one" OFF)
option(STATIC_PROGRAMS "Link the two programs statically, to run where no C or C++ library is" OFF)

set(cxx "$<COMPILE_LANGUAGE:CXX>")
# Third-party code, added as SYSTEM, is compiled without warnings.
set(ours "$<AND:${cxx},$<NOT:$<BOOL:$<TARGET_PROPERTY:SYSTEM>>>>")
set(theirs "$<AND:${cxx},$<BOOL:$<TARGET_PROPERTY:SYSTEM>>>")
if(MSVC)
    # Standard conformance and UTF-8 sources, as GCC and Clang have them by default.
    add_compile_options("$<${cxx}:/permissive-;/utf-8>" "$<${theirs}:/w>")
    if(STRICT_WARNINGS)
        add_compile_options("$<${ours}:/W4>")
    endif()
    if(SANITIZERS OR LIBCXX OR STATIC_PROGRAMS)
        message(FATAL_ERROR "SANITIZERS, LIBCXX and STATIC_PROGRAMS are for GCC's and Clang's "
                            "command line.")
    endif()
else()
    add_compile_options("$<${theirs}:-w>")
    if(STRICT_WARNINGS)
        add_compile_options("$<${ours}:-Wall;-Wextra;-Wpedantic;-Wconversion;-Wsign-conversion>"
                            "$<${ours}:-Wshadow;-Wold-style-cast>")
    endif()
    if(SANITIZERS)
        add_compile_options(
            "$<${cxx}:-fsanitize=${SANITIZERS};-fno-sanitize-recover=all;-fno-omit-frame-pointer>")
        add_link_options("-fsanitize=${SANITIZERS}")
    endif()
    if(LIBCXX)
        if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
            message(FATAL_ERROR "LIBCXX needs Clang: ${CMAKE_CXX_COMPILER_ID} has no -stdlib.")
        endif()
        add_compile_options("$<${cxx}:-stdlib=libc++>")
        add_link_options(-stdlib=libc++)
    endif()
endif()
if(LIBRARY_CHECKS)
    include("${CMAKE_CURRENT_LIST_DIR}/library-checks.cmake")
endif()
# macOS has no static C library to link with.
if(STATIC_PROGRAMS AND APPLE)
    message(FATAL_ERROR "STATIC_PROGRAMS cannot be had on macOS, which has no static C library.")
endif()

# Links a program as STATIC_PROGRAMS asks: the two programs, and the instruction count's baseline,
# which is measured against hanoi_demo and so is linked the same way.
function(link_as_program target)
    target_link_options(${target} PRIVATE $<$<BOOL:${STATIC_PROGRAMS}>:-static>)
endfunction()
