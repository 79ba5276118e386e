# The debugger views' tests, for a debug build for this machine (tests/CMakeLists.txt). A heap or
# stack address in what they compare is written 0xADDRESS, as it differs from one C library to the
# next.
# LLDB as the README has it installed: Debian's package lldb-19, on Debian 12 and 13 alike, which
# finds its own Python module, unlike Debian 12's lldb, an LLDB 14.
find_program(LLDB19 lldb-19 NO_CACHE)
find_program(LLDB19_DAP lldb-dap-19 NO_CACHE)
find_program(PYTHON python3)
set(gdb_run ${GDB} -batch -nx -iex "add-auto-load-safe-path ${CMAKE_BINARY_DIR}" -x)
set(gdb_lines "^[$]|has type")
set(lldb_run ${LLDB19} -batch -o "command script import \"${PROJECT_SOURCE_DIR}/debug/lldb_views.py\"" -s)
set(lldb_lines "^[(](pila|lista|posizione|cella|BINALBERO|NODO)[^)]*[)] |^ +([[:punct:]][0-9]|valore|sinistro|destro|padre|pred|elem|succ)|^ *}$|has type")
# The drawings of disegna, in gdb and LLDB alike: the command files in disegno/ draw the programs'
# structures, and broken ones, in text and as pictures; the text and each Graphviz source are
# compared with those in expected/disegno. (The target pictures renders the README's from them.)
find_program(DOT dot)
# The views' and drawings' logic on a fake memory, in Python alone, without a debugger: the cases
# in views/fake.txt, each summary, drawing and Graphviz source compared with the expected text.
if(PYTHON)
    add_test(NAME views.fake COMMAND ${SH} ${here}/run/views.sh ${here}/expected/views/fake.txt ^
             ${PYTHON} ${here}/views/fake.py ${here}/views/fake.txt)
else()
    add_skipped_test(views.fake "python3 is missing: install the package python3")
endif()
# The configurations of .vscode/launch.json: the name of the first of each type, cppdbg for gdb
# through gdb/MI (VS Code's C/C++ extension), lldb-dap and lldb (CodeLLDB).
file(READ ${PROJECT_SOURCE_DIR}/.vscode/launch.json launch)
string(JSON count LENGTH "${launch}" configurations)
math(EXPR last "${count} - 1")
foreach(index RANGE ${last})
    string(JSON type GET "${launch}" configurations ${index} type)
    if(NOT DEFINED ${type}_name)
        string(JSON ${type}_name GET "${launch}" configurations ${index} name)
    endif()
endforeach()
# What each way needs: a program found, and the package that brings it.
set(gdb_needs GDB=gdb)
set(lldb_needs PYTHON=python3 LLDB19=lldb-19)
set(mi_needs GDB=gdb PYTHON=python3)
set(dap_needs PYTHON=python3 LLDB19_DAP=lldb-19)
set(disegna.gdb_needs GDB=gdb DOT=graphviz)
set(disegna.lldb_needs LLDB19=lldb-19 DOT=graphviz)
# Whether a way can run here: missing is empty, or says what to install.
function(needs way)
    set(missing "" PARENT_SCOPE)
    foreach(need IN LISTS ${way}_needs)
        string(REGEX MATCH "(.*)=(.*)" need ${need})
        if(NOT ${CMAKE_MATCH_1})
            set(missing "${CMAKE_MATCH_1} is missing: install the package ${CMAKE_MATCH_2}"
                PARENT_SCOPE)
        endif()
    endforeach()
endfunction()
# Each way of debugging PROGRAM with the steps of STEPS, to compare what the debugger shows with
# EXPECTED: gdb at its prompt; gdb/MI, the Debug Adapter Protocol and LLDB at its prompt each started
# as a configuration of .vscode/launch.json starts it (PROGRAM - for the configuration's own).
set(mi_way ${SH} ${here}/run/mi.sh EXPECTED STEPS ${PYTHON} ${PROJECT_SOURCE_DIR} CONFIGURATION
    PROGRAM ${GDB})
set(dap_way ${SH} ${here}/run/views.sh EXPECTED . ${PYTHON} ${here}/ide/dap.py
    ${PROJECT_SOURCE_DIR} CONFIGURATION PROGRAM STEPS ${LLDB19_DAP})
set(lldb_way ${SH} ${here}/run/codelldb.sh EXPECTED ${lldb_lines} STEPS ${PYTHON}
    ${PROJECT_SOURCE_DIR} CONFIGURATION PROGRAM ${LLDB19})
# The configuration of each way: the first of its type.
set(mi_configuration ${cppdbg_name})
set(dap_configuration ${lldb-dap_name})
set(lldb_configuration ${lldb_name})
set(gdb_way ${SH} ${here}/run/views.sh EXPECTED ${gdb_lines} ${gdb_run} STEPS PROGRAM)
set(mi_steps ide/@.mi)
set(dap_steps ide/@.dap)
set(gdb_steps views/@.gdb)
set(lldb_steps views/@.lldb)
# In gdb also a unit-test binary, whose views are loaded as the programs' are; in every debugger
# a student's program with records of its own named as ours.
set(gdb_more puzzle_tests straniero)
set(lldb_more straniero)
set(mi_more straniero)
set(dap_more straniero)
foreach(way IN ITEMS gdb lldb mi dap disegna.gdb disegna.lldb)
    foreach(program IN ITEMS hanoi_demo tree_demo broken ${${way}_more})
        set(name views.${way}.${program})
        needs(${way})
        if(missing)
            add_skipped_test(${name} "${missing}")
        elseif(way MATCHES "^disegna[.](.*)")
            add_test(NAME ${name} COMMAND ${SH} ${here}/run/drawn.sh
                     ${here}/expected/disegno/${program}.txt ${here}/expected/disegno
                     ${${CMAKE_MATCH_1}_run} ${here}/disegno/${program}.${CMAKE_MATCH_1}
                     $<TARGET_FILE:${program}>)
        else()
            string(REPLACE @ ${program} steps ${${way}_steps})
            set(command ${${way}_way})
            list(TRANSFORM command REPLACE ^EXPECTED$ ${here}/expected/views/${program}.${way}.txt)
            list(TRANSFORM command REPLACE ^STEPS$ ${here}/${steps})
            list(TRANSFORM command REPLACE ^PROGRAM$ $<TARGET_FILE:${program}>)
            list(TRANSFORM command REPLACE ^CONFIGURATION$ "${${way}_configuration}")
            add_test(NAME ${name} COMMAND ${command})
        endif()
    endforeach()
endforeach()
# Each configuration of .vscode/launch.json as F5 starts it in VS Code: its preLaunchTask run, then
# its program debugged with its commands through the protocol its extension speaks, as the test of
# that way above: hanoi_demo, or for a configuration that debugs the file open in the editor, the
# exercise visita.cpp. They rebuild the dev preset's build, which the configurations debug: they
# run there alone, and report themselves skipped elsewhere.
set(ide_cppdbg mi)
set(ide_lldb-dap dap)
set(ide_lldb lldb)
foreach(index RANGE ${last})
    string(JSON type GET "${launch}" configurations ${index} type)
    string(JSON configuration GET "${launch}" configurations ${index} name)
    string(JSON program GET "${launch}" configurations ${index} program)
    set(name ide.${type})
    set(shown hanoi_demo)
    if(program MATCHES "fileBasenameNoExtension")
        set(name ide.${type}.open-file)
        set(shown visita)
    endif()
    set(way ${ide_${type}})
    needs(${way})
    if(NOT way)
        add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -E echo
                 "no test starts a configuration of type ${type}")
        set_tests_properties(${name} PROPERTIES WILL_FAIL TRUE)
    elseif(missing)
        add_skipped_test(${name} "${missing}")
    elseif(NOT CMAKE_BINARY_DIR STREQUAL "${PROJECT_SOURCE_DIR}/build/dev")
        add_skipped_test(${name} "the IDE's configurations debug the dev preset's build")
    else()
        string(REPLACE @ ${shown} steps ${${way}_steps})
        set(command ${${way}_way})
        list(TRANSFORM command REPLACE ^EXPECTED$ ${here}/expected/views/${shown}.${way}.txt)
        list(TRANSFORM command REPLACE ^STEPS$ ${here}/${steps})
        list(TRANSFORM command REPLACE ^PROGRAM$ -)
        list(TRANSFORM command REPLACE ^CONFIGURATION$ "${configuration}")
        add_test(NAME ${name} COMMAND ${command})
        set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE ENVIRONMENT
                             VSCODE_OPEN_FILE=${PROJECT_SOURCE_DIR}/esercizi/visita.cpp)
    endif()
endforeach()
