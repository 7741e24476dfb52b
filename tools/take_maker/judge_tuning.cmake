# SPDX-License-Identifier: MIT
# Plucks detuned strings with SEED, has fretlux-cli tune read them, and fails unless every note is
# named on its string within CENTS of its true tuning. Arguments: MAKER, CLI, SEED, CENTS, WORK.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${MAKER} strings ${WORK}/take.wav ${WORK}/truth.jsonl --seed ${SEED}
    RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "take_maker strings exited with ${result}\n${err}")
endif()
execute_process(COMMAND ${CLI} tune ${WORK}/take.wav
    OUTPUT_FILE ${WORK}/heard.jsonl RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "fretlux-cli tune exited with ${result}\n${err}")
endif()
execute_process(COMMAND ${MAKER} judge-tuner ${WORK}/truth.jsonl ${WORK}/heard.jsonl
    --cents ${CENTS} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${out}${err}")
endif()
