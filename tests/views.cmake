# The debugger views' tests, for a debug build for this machine (tests/CMakeLists.txt), each run by
# run/debug.sh, which says how, and reports itself skipped where a debugger it needs is missing.
# The views' and drawings' logic on a fake memory, without a debugger.
add_test(NAME views.fake COMMAND ${SH} ${here}/run/debug.sh fake fake -)
set(debugged views.fake)
# Each way, on the programs, on one that breaks its structures on purpose and, but in drawings, on
# a student's program with records of its own named as ours; in gdb also on a unit-test binary,
# whose views are loaded as the programs' are.
foreach(way IN ITEMS gdb lldb mi dap disegna.gdb disegna.lldb)
    set(programs hanoi_demo tree_demo broken)
    if(NOT way MATCHES "^disegna")
        list(APPEND programs straniero)
    endif()
    if(way STREQUAL "gdb")
        list(APPEND programs puzzle_tests)
    endif()
    foreach(program IN LISTS programs)
        add_test(NAME views.${way}.${program} COMMAND ${SH} ${here}/run/debug.sh ${way} ${program}
                 $<TARGET_FILE:${program}>)
        list(APPEND debugged views.${way}.${program})
    endforeach()
endforeach()
# Films, in each debugger: the Tower of Hanoi with 3 disks stop by stop and torredihanoi line by
# line, the extension walk, inslista line by line.
foreach(way IN ITEMS filma.gdb filma.lldb)
    foreach(program IN ITEMS hanoi_demo esercizio_visita esercizio_lista_inversa)
        if(TARGET ${program})
            string(REPLACE "esercizio_" "" name ${program})
            add_test(NAME views.${way}.${name} COMMAND ${SH} ${here}/run/debug.sh ${way} ${name}
                     $<TARGET_FILE:${program}>)
            list(APPEND debugged views.${way}.${name})
        endif()
    endforeach()
endforeach()
# The Tower of Hanoi's film in headless Chromium: the page is the same whichever compiler built
# the program, so it is shown in the dev preset's build alone.
if(CMAKE_BINARY_DIR STREQUAL "${PROJECT_SOURCE_DIR}/build/dev")
    add_test(NAME views.page.hanoi_demo COMMAND ${SH} ${here}/run/debug.sh page hanoi_demo
             $<TARGET_FILE:hanoi_demo>)
    list(APPEND debugged views.page.hanoi_demo)
else()
    add_skipped_test(views.page.hanoi_demo "the film's page is shown in the dev preset's build")
endif()
# Each configuration of .vscode/launch.json as F5 starts it in VS Code: its preLaunchTask run, then
# its program debugged with its commands through the protocol its extension speaks, as the test of
# that way: hanoi_demo, or, for a configuration that debugs the file open in the editor, the
# exercise visita.cpp. They rebuild the dev preset's build, which the configurations debug: they
# run there alone, and report themselves skipped elsewhere.
file(READ ${PROJECT_SOURCE_DIR}/.vscode/launch.json launch)
string(JSON count LENGTH "${launch}" configurations)
math(EXPR last "${count} - 1")
set(ide_cppdbg mi)
set(ide_lldb-dap dap)
set(ide_lldb lldb)
foreach(index RANGE ${last})
    string(JSON type GET "${launch}" configurations ${index} type)
    string(JSON configuration GET "${launch}" configurations ${index} name)
    string(JSON program GET "${launch}" configurations ${index} program)
    set(name ide.${type})
    set(shown hanoi_demo)
    if(program MATCHES "[$][{]file")
        set(name ide.${type}.open-file)
        set(shown visita)
    endif()
    if(NOT DEFINED ide_${type})
        add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo
                 "no test starts a configuration of type ${type}")
        set_tests_properties(${name} PROPERTIES WILL_FAIL TRUE)
    elseif(NOT CMAKE_BINARY_DIR STREQUAL "${PROJECT_SOURCE_DIR}/build/dev")
        add_skipped_test(${name} "the IDE's configurations debug the dev preset's build")
    else()
        add_test(NAME ${name} COMMAND ${SH} ${here}/run/debug.sh ${ide_${type}} ${shown} -
                 "${configuration}")
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE ENVIRONMENT
                             VSCODE_OPEN_FILE=${PROJECT_SOURCE_DIR}/esercizi/visita.cpp)
        list(APPEND debugged ${name})
    endif()
endforeach()
set_tests_properties(${debugged} PROPERTIES SKIP_REGULAR_EXPRESSION
                     "skipped: [^ ]+ is missing|skipped: Chromium cannot start under a limit")
