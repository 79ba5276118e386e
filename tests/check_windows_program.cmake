# Checks with objdump -p that a program is a Windows console program of the expected format and
# that it imports nothing but Windows system DLLs and the C runtime, so that it runs on a bare
# Windows machine.
#
#   OBJDUMP   the target's objdump
#   PROGRAM   the .exe
#   FORMAT    pei-i386 (PE32, Intel 80386) or pei-x86-64 (PE32+, x86-64)
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND "${OBJDUMP}" -p "${PROGRAM}" OUTPUT_VARIABLE headers
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} -p ${PROGRAM} failed: ${status}")
endif()
if(NOT headers MATCHES "file format ${FORMAT}\n")
    message(FATAL_ERROR "${PROGRAM} is not of format ${FORMAT}:\n${headers}")
endif()
if(NOT headers MATCHES "\nSubsystem[ \t]+0*3[ \t]+\\(Windows CUI\\)")
    message(FATAL_ERROR "${PROGRAM} is not a console program:\n${headers}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${headers}")
set(imports "")
foreach(line IN LISTS import_lines)
    string(REPLACE "DLL Name: " "" dll "${line}")
    string(TOLOWER "${dll}" dll_lower)
    if(NOT dll_lower MATCHES "^(kernel32|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)\\.dll$")
        message(FATAL_ERROR "${PROGRAM} imports ${dll}, which a bare Windows machine lacks")
    endif()
    list(APPEND imports "${dll}")
endforeach()
message(STATUS "${PROGRAM}: ${FORMAT} console program importing ${imports}")
