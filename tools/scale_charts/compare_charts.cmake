# SPDX-License-Identifier: MIT
# Runs the generator into an empty directory and fails on any chart that differs from the one
# committed in data/.
file(REMOVE_RECURSE "${OUTPUT_DIR}")
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(COMMAND "${GENERATOR}" "${OUTPUT_DIR}" RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "scale_charts failed: ${failed}")
endif()
file(GLOB charts RELATIVE "${OUTPUT_DIR}" "${OUTPUT_DIR}/scales*.flx")
if(NOT charts)
    message(FATAL_ERROR "scale_charts wrote no chart")
endif()
foreach(chart IN LISTS charts)
    execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
        "${OUTPUT_DIR}/${chart}" "${COMMITTED_DIR}/${chart}" RESULT_VARIABLE differs)
    if(differs)
        message(SEND_ERROR "data/${chart} differs from what scale_charts writes; "
            "run build/tools/scale_charts/scale_charts data")
    endif()
endforeach()
