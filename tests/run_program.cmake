# Runs one program once and compares its exit status, standard output and standard error with
# what is expected, literally. On a mismatch it prints both sides and fails.
#
#   NAME              the run's name, which names its folder of input and output files
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

# Output goes to files: execute_process's own capture would drop the "\r" of every "\r\n".
set(work_dir "${CMAKE_CURRENT_BINARY_DIR}/${NAME}")
file(MAKE_DIRECTORY "${work_dir}")

set(input_options "")
if(STDIN STREQUAL "empty")
    set(input_options INPUT_FILE /dev/null)
elseif(STDIN STREQUAL "text")
    file(WRITE "${work_dir}/stdin.txt" "xy\nz\nmore text after the two characters\n")
    set(input_options INPUT_FILE "${work_dir}/stdin.txt")
endif()

set(stdout_file "${work_dir}/stdout.txt")
if(STDOUT STREQUAL "full")
    set(stdout_file /dev/full)
endif()

execute_process(
    COMMAND ${command} ${input_options}
    OUTPUT_FILE "${stdout_file}"
    ERROR_FILE "${work_dir}/stderr.txt"
    RESULT_VARIABLE actual_status)
file(READ "${work_dir}/stderr.txt" actual_stderr)

# The bytes of a file made visible: "\r" and "\n" written out, a line break after each "\n".
function(show_bytes path out)
    file(READ "${path}" hex HEX)
    string(LENGTH "${hex}" digits)
    set(text "")
    set(i 0)
    while(i LESS digits)
        string(SUBSTRING "${hex}" ${i} 2 byte)
        math(EXPR code "0x${byte}")
        if(code EQUAL 13)
            string(APPEND text "\\r")
        elseif(code EQUAL 10)
            string(APPEND text "\\n\n")
        else()
            string(ASCII ${code} character)
            string(APPEND text "${character}")
        endif()
        math(EXPR i "${i} + 2")
    endwhile()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(failures "")
if(NOT actual_status STREQUAL EXPECTED_STATUS)
    string(APPEND failures "exit status: expected ${EXPECTED_STATUS}, actual ${actual_status}\n")
endif()

# Compared as files, byte for byte: CMake's strings would lose the "\r" of a "\r\n" when read.
if(STDOUT STREQUAL "captured")
    file(READ "${EXPECTED_STDOUT}" expected_stdout)
    if(CRLF)
        string(REPLACE "\n" "\r\n" expected_stdout "${expected_stdout}")
    endif()
    file(WRITE "${work_dir}/expected.txt" "${expected_stdout}")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${work_dir}/expected.txt"
                            "${stdout_file}" RESULT_VARIABLE stdout_differs)
    if(NOT stdout_differs EQUAL 0)
        show_bytes("${work_dir}/expected.txt" expected_shown)
        show_bytes("${stdout_file}" actual_shown)
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
    show_bytes("${work_dir}/stderr.txt" stderr_shown)
    string(APPEND failures "standard error: expected ${EXPECTED_STDERR}, actual:\n${stderr_shown}\n")
endif()

if(failures)
    message(FATAL_ERROR "${PROGRAM} (stdin ${STDIN}, stdout ${STDOUT}):\n${failures}")
endif()
message(STATUS "${PROGRAM}: standard output, standard error and exit status as expected")
