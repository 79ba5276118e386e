# Runs 32-bit Wine through qemu-i386, for cross-emulator.cmake: replaces its loader, the last item
# of CMAKE_CROSSCOMPILING_EMULATOR, with a wrapper, or sets emulator_skip_reason when no qemu-i386
# 10 or newer is here.
#
# Wine starts its helper processes (wineboot, services) by running its loader again: the file
# named as it was started, in the folder of the running loader, where it also looks for its
# libraries (lib/i386-linux-gnu), its data (share) and wineserver. So the folder wine-i386 in the
# build folder mirrors the installed one: a copy of the real loader, links to the rest, and a
# wrapper named after the loader that runs the copy under qemu-i386, keeping its own name as the
# program's, without the preloader (WINELOADERNOEXEC), which cannot run under qemu. Debian's
# wineserver is a 64-bit program and runs natively.
find_program(QEMU_I386 qemu-i386)
if(QEMU_I386)
    execute_process(COMMAND "${QEMU_I386}" --version OUTPUT_VARIABLE version ERROR_QUIET)
    string(REGEX MATCH "version ([0-9]+)[.0-9]*" version "${version}")
    set(qemu_major "${CMAKE_MATCH_1}")
endif()
if(NOT qemu_major OR qemu_major LESS 10)
    string(CONCAT emulator_skip_reason "${kernel}, and no qemu-i386 10 or newer is here to run "
           "32-bit Wine (install qemu-user from Debian 13, or from Debian 12's backports)")
    return()
endif()

list(REMOVE_AT CMAKE_CROSSCOMPILING_EMULATOR -1)
get_filename_component(loader_dir "${loader}" DIRECTORY) # /usr/lib/wine
get_filename_component(loader_name "${loader}" NAME)
get_filename_component(prefix "${loader_dir}/../.." ABSOLUTE) # /usr
set(wine "${CMAKE_BINARY_DIR}/wine-i386")
file(REMOVE_RECURSE "${wine}")
file(MAKE_DIRECTORY "${wine}/lib/wine")
file(COPY_FILE "${loader}" "${wine}/lib/wine/${loader_name}-i386")
file(CREATE_LINK "${prefix}/lib/i386-linux-gnu" "${wine}/lib/i386-linux-gnu" SYMBOLIC)
file(CREATE_LINK "${prefix}/share" "${wine}/share" SYMBOLIC)
file(CREATE_LINK "${loader_dir}/wineserver" "${wine}/lib/wine/wineserver" SYMBOLIC)
# Wine's own helper processes (services.exe, explorer.exe and the like, run from system32) would
# keep the standard streams of the program that started them; under qemu some end with a
# segmentation fault, which qemu reports there, when the wineserver shuts down. They get
# /dev/null instead.
file(WRITE "${wine}/lib/wine/${loader_name}"
     "#!/bin/sh\ncase \"$1\" in 'C:\\windows\\system32\\'*) exec </dev/null >/dev/null 2>&1 ;; esac\n"
     "WINELOADERNOEXEC=1 exec '${QEMU_I386}' -0 \"$0\" \"$0-i386\" \"$@\"\n")
file(CHMOD "${wine}/lib/wine/${loader_name}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE
     OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
list(APPEND CMAKE_CROSSCOMPILING_EMULATOR "${wine}/lib/wine/${loader_name}")
message(STATUS "The 32-bit programs' tests run under 32-bit Wine through qemu-i386 "
               "${qemu_major}: ${kernel}.")
