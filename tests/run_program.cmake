# Runs one program once and compares its exit status, standard output and standard error with
# what is expected, literally. On a mismatch it prints both sides and fails.
#
#   PROGRAM           the executable, run through EMULATOR when that is set
#   STDIN             empty (end of file at once), text (a few lines) or closed
#   STDOUT            captured, full (/dev/full) or closed
#   EXPECTED_STDOUT   file holding the exact bytes expected on standard output, when captured
#   EXPECTED_STATUS   the exit status (0 by default)
#   EXPECTED_STDERR   empty, or one-line: a single line of text
#   CRLF              when true, every "\n" of EXPECTED_STDOUT is expected as "\r\n"
#   ENV               VAR=value settings for the run, separated by "|"
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED EXPECTED_STATUS)
    set(EXPECTED_STATUS 0)
endif()

set(command ${EMULATOR} "${PROGRAM}")

set(redirections "")
if(STDIN STREQUAL "closed")
    string(APPEND redirections " <&-")
endif()
if(STDOUT STREQUAL "closed")
    string(APPEND redirections " >&-")
endif()
if(redirections)
    set(command sh -c "exec \"$@\"${redirections}" sh ${command})
endif()
if(ENV)
    string(REPLACE "|" ";" settings "${ENV}")
    set(command "${CMAKE_COMMAND}" -E env ${settings} ${command})
endif()

set(input_options "")
if(STDIN STREQUAL "empty")
    set(input_options INPUT_FILE /dev/null)
elseif(STDIN STREQUAL "text")
    set(input_file "${CMAKE_CURRENT_BINARY_DIR}/stdin-${STDOUT}.txt")
    file(WRITE "${input_file}" "xy\nz\nmore text after the two characters\n")
    set(input_options INPUT_FILE "${input_file}")
endif()

set(output_options OUTPUT_VARIABLE actual_stdout)
if(STDOUT STREQUAL "full")
    set(output_options OUTPUT_FILE /dev/full)
endif()

execute_process(
    COMMAND ${command} ${input_options} ${output_options}
    ERROR_VARIABLE actual_stderr
    RESULT_VARIABLE actual_status)

function(show text out)
    string(REPLACE "\r" "\\r" text "${text}")
    string(REPLACE "\n" "\\n\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(failures "")
if(NOT actual_status STREQUAL EXPECTED_STATUS)
    string(APPEND failures "exit status: expected ${EXPECTED_STATUS}, actual ${actual_status}\n")
endif()

if(STDOUT STREQUAL "captured")
    file(READ "${EXPECTED_STDOUT}" expected_stdout)
    if(CRLF)
        string(REPLACE "\n" "\r\n" expected_stdout "${expected_stdout}")
    endif()
    if(NOT actual_stdout STREQUAL expected_stdout)
        show("${expected_stdout}" expected_shown)
        show("${actual_stdout}" actual_shown)
        string(APPEND failures "standard output differs\n--- expected:\n${expected_shown}\n"
                               "--- actual:\n${actual_shown}\n")
    endif()
endif()

if(EXPECTED_STDERR STREQUAL "one-line")
    set(stderr_ok FALSE)
    if(actual_stderr MATCHES "^[^\r\n]+\r?\n$")
        set(stderr_ok TRUE)
    endif()
else()
    set(stderr_ok FALSE)
    if(actual_stderr STREQUAL "")
        set(stderr_ok TRUE)
    endif()
endif()
if(NOT stderr_ok)
    show("${actual_stderr}" stderr_shown)
    string(APPEND failures "standard error: expected ${EXPECTED_STDERR}, actual:\n${stderr_shown}\n")
endif()

if(failures)
    message(FATAL_ERROR "${PROGRAM} (stdin ${STDIN}, stdout ${STDOUT}):\n${failures}")
endif()
message(STATUS "${PROGRAM}: standard output, standard error and exit status as expected")
