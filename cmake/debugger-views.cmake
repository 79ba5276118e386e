# The debugger views of the lists, stacks and trees (debug/): beside each program and test binary,
# the file that gdb's auto-load reads for it, named after it with -gdb.py added, which loads the
# gdb views. gdb reads it from a folder on its auto-load safe-path. LLDB's views are imported by
# hand (command script import debug/lldb_views.py). Windows binaries get none.
function(add_debugger_views target)
    if(NOT WIN32)
        file(GENERATE OUTPUT "$<TARGET_FILE:${target}>-gdb.py" CONTENT
             "import sys\nsys.path.insert(0, '${PROJECT_SOURCE_DIR}/debug')\nimport gdb_views\n")
    endif()
endfunction()
