# A cross build's tests run under the emulator that its preset names: qemu-user for Linux on another
# processor, Wine for Windows. Where the emulator is missing, the configure stops and names the
# package to install. Sets emulator_skip_reason where this machine cannot run the tests at all: a
# cross build that names no emulator (for macOS, say) builds its tests without running them, and
# the 32-bit Windows ones cannot run where the kernel runs no 32-bit x86 code and no qemu-i386 10
# or newer is here. The configure says how the 32-bit ones run.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
    set(emulator_skip_reason
        "nothing here runs programs for ${CMAKE_SYSTEM_NAME} (CMAKE_CROSSCOMPILING_EMULATOR is unset)")
    message(WARNING "The tests will be built, not run: ${emulator_skip_reason}.")
    return()
endif()
if(NOT WIN32)
    list(GET CMAKE_CROSSCOMPILING_EMULATOR 0 qemu)
    find_program(QEMU_USER "${qemu}")
    if(NOT QEMU_USER)
        message(FATAL_ERROR "${qemu} is missing: install qemu-user to run the tests.")
    endif()
    return()
endif()

# env VARIABLE=value... loader: Wine's loader comes last, from wine64 or, for 32-bit programs,
# from wine32:i386.
list(GET CMAKE_CROSSCOMPILING_EMULATOR -1 loader)
set(package wine64)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    set(package wine32:i386)
endif()
if(NOT EXISTS "${loader}")
    message(FATAL_ERROR "${loader} is missing: install ${package} to run the tests under Wine.")
endif()

# 32-bit Wine runs natively where the kernel runs 32-bit x86 code; elsewhere, or when asked,
# through a qemu-i386 from qemu-user 10 or newer, since older ones cannot map what Wine needs.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE refused OUTPUT_QUIET
                    ERROR_QUIET)
    set(kernel "this machine's kernel runs 32-bit x86 code")
    if(refused)
        set(kernel "this machine's kernel runs no 32-bit x86 code")
    endif()
    option(WINE32_UNDER_QEMU "Run 32-bit Wine under qemu-i386 even where the kernel runs it" OFF)
    if(NOT refused AND NOT WINE32_UNDER_QEMU)
        message(STATUS "The 32-bit programs' tests run under 32-bit Wine natively: ${kernel}.")
    else()
        include("${CMAKE_CURRENT_LIST_DIR}/wine-i386-under-qemu.cmake")
        if(emulator_skip_reason)
            message(WARNING "The tests will be skipped: ${emulator_skip_reason}.")
            return()
        endif()
    endif()
endif()

# Wine makes its prefix at its first start, with messages on standard error: here, not in a test.
execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init RESULT_VARIABLE status
                OUTPUT_QUIET ERROR_VARIABLE log)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "Wine cannot run the tests: 'wineboot --init' gave ${status}:\n${log}")
endif()
