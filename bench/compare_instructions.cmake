# Runs hanoi_demo and the plain C baseline under valgrind's callgrind and prints the instructions
# each runs and their ratio, failing when hanoi_demo runs more than 1.05 times the baseline's.
# Callgrind's files go to WORK_DIR, in the build folder.
#
#   DEMO, BASELINE   the two programs
#   WORK_DIR         a folder for callgrind's files
cmake_minimum_required(VERSION 3.25)

find_program(VALGRIND valgrind REQUIRED)
foreach(program IN ITEMS DEMO BASELINE)
    get_filename_component(name "${${program}}" NAME)
    execute_process(
        COMMAND "${VALGRIND}" --tool=callgrind "--callgrind-out-file=${WORK_DIR}/${name}.callgrind"
                "${${program}}"
        INPUT_FILE /dev/null OUTPUT_QUIET ERROR_VARIABLE log RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT log MATCHES "Collected : ([0-9]+)")
        message(FATAL_ERROR "callgrind could not count ${name}:\n${log}")
    endif()
    set(${program}_instructions ${CMAKE_MATCH_1})
    message("${name}: ${CMAKE_MATCH_1} instructions")
endforeach()

# The ratio, rounded to three decimals in integer arithmetic.
math(EXPR thousandths "(${DEMO_instructions} * 1000 + ${BASELINE_instructions} / 2) / ${BASELINE_instructions}")
math(EXPR whole "${thousandths} / 1000")
math(EXPR fraction "${thousandths} % 1000 + 1000") # with its leading zeros after the first digit
string(SUBSTRING "${fraction}" 1 3 fraction)
message("ratio: ${whole}.${fraction}")
if(thousandths GREATER 1050)
    message(FATAL_ERROR "hanoi_demo runs more than 1.05 times the baseline's instructions")
endif()
