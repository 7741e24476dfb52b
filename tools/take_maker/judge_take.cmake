# SPDX-License-Identifier: MIT
# Makes a take of TABs FIRST..LAST of DOCUMENT with TAKE_OPTIONS, has fretlux-cli listen judge it,
# and fails unless every verdict is the truth's. Arguments: MAKER, CLI, DOCUMENT, FIRST, LAST,
# WORK (a directory of its own), TAKE_OPTIONS (a list).
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}\nexited with ${result}\n${err}")
    endif()
endfunction()

run(${MAKER} excerpt ${DOCUMENT} ${FIRST} ${LAST} ${WORK}/document.flx)
run(${MAKER} take ${WORK}/document.flx ${WORK}/take.wav ${WORK}/truth.jsonl ${TAKE_OPTIONS})
execute_process(COMMAND ${CLI} listen ${WORK}/document.flx ${WORK}/take.wav
    OUTPUT_FILE ${WORK}/heard.jsonl RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fretlux-cli listen exited with ${result}\n${err}")
endif()
run(${MAKER} judge ${WORK}/truth.jsonl ${WORK}/heard.jsonl)
