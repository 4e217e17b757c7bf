# Installs the build into a fresh prefix, checks what lies where, and starts the installed
# program offscreen from an empty working directory. The library probe, installed beside the
# program with the same RUNPATH, shows which Zalvotech.dll the program's search finds there.
# -DBUILD=<build folder> -DPREFIX=<empty folder to install into>
cmake_minimum_required(VERSION 3.25)

# require(<message> <condition>...): stops the test with the message unless the condition holds.
macro(require text)
    if(NOT (${ARGN}))
        message(FATAL_ERROR "${text}")
    endif()
endmacro()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
    RESULT_VARIABLE installed)
require("cmake --install failed" installed EQUAL 0)

set(program ${PREFIX}/bin/zalvodemo)
file(GLOB library ${PREFIX}/lib*/zalvodemo/Zalvotech.dll ${PREFIX}/lib/*/zalvodemo/Zalvotech.dll)
require("no program in ${PREFIX}/bin" EXISTS ${program})
list(LENGTH library libraries)
require("no (or more than one) Zalvotech.dll under ${PREFIX}: ${library}" libraries EQUAL 1)
require("no .desktop entry" EXISTS ${PREFIX}/share/applications/zalvodemo.desktop)
require("no icon" EXISTS ${PREFIX}/share/icons/hicolor/128x128/apps/zalvodemo.png)
file(STRINGS ${PREFIX}/share/applications/zalvodemo.desktop exec REGEX "^(Exec|Icon)=")
set(expectedExec "Exec=zalvodemo;Icon=zalvodemo")
require("the .desktop entry names ${exec}" exec STREQUAL expectedExec)

# Where the installed program looks: the current directory, then its RUNPATH.
file(READ_ELF ${program} RUNPATH programRunpath)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
    --component LibraryProbe RESULT_VARIABLE probeInstalled)
require("the library probe was not installed" probeInstalled EQUAL 0)
file(READ_ELF ${PREFIX}/bin/zalvo_library_probe RUNPATH probeRunpath)
require("program and probe search differently: '${programRunpath}' and '${probeRunpath}'"
    programRunpath STREQUAL probeRunpath)

set(workdir ${PREFIX}/empty-working-directory)
file(MAKE_DIRECTORY ${workdir})
unset(ENV{LD_LIBRARY_PATH})
execute_process(COMMAND ${PREFIX}/bin/zalvo_library_probe WORKING_DIRECTORY ${workdir}
    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE probed)
require("the installed program's search finds no Zalvotech.dll" probed EQUAL 0)
file(REAL_PATH ${found} found)
file(REAL_PATH ${library} expected)
require("found ${found} instead of ${expected}" found STREQUAL expected)
message(STATUS "The installed program finds ${found}")

# zalvoreplay beside the program searches as the program does: from the empty folder it
# finds the installed stand-in and replays a call against it.
set(replay ${PREFIX}/bin/zalvoreplay)
require("no zalvoreplay in ${PREFIX}/bin" EXISTS ${replay})
file(READ_ELF ${replay} RUNPATH replayRunpath)
require("program and zalvoreplay search differently: '${programRunpath}' and '${replayRunpath}'"
    programRunpath STREQUAL replayRunpath)
file(WRITE ${workdir}/free.jsonl
    "{\"format\":\"zalvo-call-log\",\"version\":1,\"calls\":1,\"dropped\":0}\n"
    "{\"seq\":1,\"entry\":\"Zalvotech_Free\",\"start_us\":0,\"duration_ns\":0,"
    "\"result\":0,\"args\":[]}\n")
execute_process(COMMAND ${replay} free.jsonl WORKING_DIRECTORY ${workdir}
    RESULT_VARIABLE replayed OUTPUT_VARIABLE replayOutput ERROR_VARIABLE replayErrors)
require("the installed zalvoreplay failed: ${replayed} ${replayOutput}${replayErrors}"
    replayed EQUAL 0)
file(REMOVE ${workdir}/free.jsonl)
message(STATUS "The installed zalvoreplay replayed against the installed stand-in")

# Started, it keeps running until it is stopped; a crash or a refusal to start ends it early.
set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${program} WORKING_DIRECTORY ${workdir} TIMEOUT 3
    RESULT_VARIABLE started ERROR_VARIABLE errors)
require("the installed program ended: ${started} ${errors}" started MATCHES "timeout")
message(STATUS "The installed program started and ran offscreen until it was stopped")
file(REMOVE_RECURSE ${PREFIX})
