# What this host offers the tests, and what it lacks, said at configure time: for a cross build,
# the emulator that runs its programs (emulator_skip_reason, where none can); the linker's --wrap,
# through which the malloc wrapper counts a binary's heap (heap_counted); a POSIX shell (SH), through
# which the programs run end to end; and the line end of the platform's text output (line_end).
if(CMAKE_CROSSCOMPILING)
    include("${CMAKE_CURRENT_LIST_DIR}/cross-emulator.cmake")
endif()
include(CheckLinkerFlag)
check_linker_flag(CXX "LINKER:--wrap=a_symbol_nothing_uses" heap_counted)
find_program(SH sh)
if(NOT heap_counted)
    message(NOTICE "Left out: the heap checks, since the linker has no --wrap.")
endif()
if(NOT SH)
    message(NOTICE "Left out: the programs' end-to-end tests, since there is no POSIX shell (sh).")
endif()
set(line_end LF)
if(WIN32)
    set(line_end CRLF)
endif()
