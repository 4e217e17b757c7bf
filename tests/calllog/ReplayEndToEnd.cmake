# zalvoreplay end to end: a log recorded against the stand-in replays equal against it (exit
# 0), differs against a library answering the IBAN differently (exit 1, the field named), and
# a truncated log is refused with its line (exit 2).
# -DREPLAY=... -DRECORDER=... -DSTANDIN=... -DFAKE=... -DWORK=...
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY_FILE ${STANDIN} ${WORK}/Zalvotech.dll)

function(expect what code output pattern)
    if(NOT code EQUAL ${ARGV4})
        message(FATAL_ERROR "${what}: exit ${code}, expected ${ARGV4}\n${output}")
    endif()
    if(NOT output MATCHES "${pattern}")
        message(FATAL_ERROR "${what}: output lacks '${pattern}':\n${output}")
    endif()
    message(STATUS "${what}: exit ${code}\n${output}")
endfunction()

execute_process(COMMAND ${RECORDER} session.jsonl WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE code)
if(NOT code EQUAL 0)
    message(FATAL_ERROR "recording failed: ${code}")
endif()

# The stand-in of the current directory, as the program finds it.
execute_process(COMMAND ${REPLAY} session.jsonl WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("same stand-in" "${code}" "${out}${err}"
    "#2 Zalvotech_ConvertBLZKonto: gleich\n2 Aufrufe, 2 gleich, 0 verschieden" 0)

# A library that answers the conversion like the stand-in but with another IBAN.
set(ENV{ZALVO_FAKE_ANSWERS}
    "Zalvotech_ConvertBLZKonto=0;0:21:COBADEFFXXX;0:33:DE02370400440532013000")
execute_process(COMMAND ${REPLAY} session.jsonl --library ${FAKE} WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
unset(ENV{ZALVO_FAKE_ANSWERS})
expect("one field answered differently" "${code}" "${out}${err}"
    "Kontosatz / IBAN: aufgezeichnet \"DE89370400440532013000\", jetzt \"DE02370400440532013000\"" 1)
if(out MATCHES "Kontosatz / BIC|Ergebnis")
    message(FATAL_ERROR "only the IBAN differs:\n${out}")
endif()

# The log cut in its last line: refused before anything is called.
file(READ ${WORK}/session.jsonl whole)
string(LENGTH "${whole}" length)
math(EXPR cut "${length} - 40")
string(SUBSTRING "${whole}" 0 ${cut} truncated)
file(WRITE ${WORK}/truncated.jsonl "${truncated}")
execute_process(COMMAND ${REPLAY} truncated.jsonl WORKING_DIRECTORY ${WORK}
    RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("truncated log" "${code}" "${out}${err}" "truncated.jsonl: Zeile 3: kein g" 2)
if(NOT out STREQUAL "")
    message(FATAL_ERROR "nothing may be called for a bad log:\n${out}")
endif()
