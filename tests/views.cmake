# The debugger views' tests, for a debug build for this machine (tests/CMakeLists.txt). A heap or
# stack address in what they compare is written 0xADDRESS, as it differs from one C library to the
# next.
find_program(LLDB lldb)
find_program(PYTHON python3)
# Debian 12's LLDB 14 looks for its Python module in a folder that does not exist: it is shown the
# module of its own release, and the Python that the module belongs to, which it would otherwise
# take from the first python3 on the PATH (a virtual environment's, say).
set(lldb_env ${CMAKE_COMMAND} -E env)
if(LLDB)
    execute_process(COMMAND ${LLDB} --version OUTPUT_VARIABLE version ERROR_QUIET)
    string(REGEX MATCH "version ([0-9]+)" version "${version}")
    find_program(LLDB_DAP NAMES lldb-dap-${CMAKE_MATCH_1} lldb-vscode-${CMAKE_MATCH_1} lldb-dap
                                lldb-vscode)
    file(GLOB lldb_module "/usr/lib/llvm-${CMAKE_MATCH_1}/lib/python3.[0-9]*/dist-packages")
    if(lldb_module)
        list(APPEND lldb_env PYTHONPATH=${lldb_module} PYTHONHOME=/usr)
    endif()
endif()
set(gdb_run ${GDB} -batch -nx -iex "add-auto-load-safe-path ${CMAKE_BINARY_DIR}" -x)
set(gdb_lines "^[$]")
set(lldb_run ${lldb_env} ${LLDB} -batch -o "command script import \"${PROJECT_SOURCE_DIR}/debug/lldb_views.py\"" -s)
set(lldb_lines "^[(](pila|lista|posizione|cella|BINALBERO|NODO)[^)]*[)] |^ +([[]|valore|sinistro|destro|padre|pred|elem|succ)|^ *}$")
# The drawings of disegna, in gdb and LLDB alike: the command files in disegno/ draw the programs'
# structures, and broken ones, in text, which is compared with the expected text, and as pictures,
# whose Graphviz sources are compared with those in docs/pictures, where the README and the
# views' page show them (the target pictures draws them again there).
find_program(DOT dot)
set(pictures ${PROJECT_SOURCE_DIR}/docs/pictures)
# The views' and drawings' logic on a fake memory, in Python alone, without a debugger: the cases
# in views/fake.txt, each summary, drawing and Graphviz source compared with the expected text.
if(PYTHON)
    add_test(NAME views.fake COMMAND ${SH} ${here}/run/views.sh ${here}/expected/views/fake.txt ^
             ${PYTHON} ${here}/views/fake.py ${here}/views/fake.txt)
else()
    add_skipped_test(views.fake "python3 is missing: install the package python3")
endif()
# What each way needs: a program found, and the package that brings it.
set(gdb_needs GDB=gdb)
set(lldb_needs LLDB=lldb)
set(mi_needs GDB=gdb)
set(dap_needs PYTHON=python3 LLDB_DAP=lldb)
set(disegna.gdb_needs GDB=gdb DOT=graphviz)
set(disegna.lldb_needs LLDB=lldb DOT=graphviz)
# In gdb also a unit-test binary, whose views are loaded as the programs' are.
set(gdb_more puzzle_tests)
foreach(way IN ITEMS gdb lldb mi dap disegna.gdb disegna.lldb)
    foreach(program IN ITEMS hanoi_demo tree_demo broken ${${way}_more})
        set(name views.${way}.${program})
        set(expected ${here}/expected/views/${program}.${way}.txt)
        set(missing "")
        foreach(need IN LISTS ${way}_needs)
            string(REGEX MATCH "(.*)=(.*)" need ${need})
            if(NOT ${CMAKE_MATCH_1})
                set(missing "${CMAKE_MATCH_1} is missing: install the package ${CMAKE_MATCH_2}")
            endif()
        endforeach()
        if(missing)
            add_skipped_test(${name} "${missing}")
        elseif(way MATCHES "^disegna[.](.*)")
            add_test(NAME ${name} COMMAND ${SH} ${here}/run/drawn.sh
                     ${here}/expected/disegno/${program}.txt ${pictures}
                     ${${CMAKE_MATCH_1}_run} ${here}/disegno/${program}.${CMAKE_MATCH_1}
                     $<TARGET_FILE:${program}>)
        elseif(way STREQUAL "mi")
            add_test(NAME ${name} COMMAND ${SH} ${here}/run/mi.sh ${expected} ${PROJECT_SOURCE_DIR}
                     $<TARGET_FILE:${program}> ${here}/ide/${program}.mi ${GDB})
        elseif(way STREQUAL "dap")
            add_test(NAME ${name} COMMAND ${SH} ${here}/run/views.sh ${expected} .
                     ${PYTHON} ${here}/ide/dap.py ${PROJECT_SOURCE_DIR} $<TARGET_FILE:${program}>
                     ${here}/ide/${program}.dap ${lldb_env} ${LLDB_DAP})
        else()
            add_test(NAME ${name} COMMAND ${SH} ${here}/run/views.sh ${expected} ${${way}_lines}
                     ${${way}_run} ${here}/views/${program}.${way} $<TARGET_FILE:${program}>)
        endif()
    endforeach()
endforeach()
