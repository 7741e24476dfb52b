# SPDX-License-Identifier: MIT
# Runs the chord generator into a fresh directory and compares each file with the committed one,
# byte for byte.
file(REMOVE_RECURSE ${OUT_DIR})
file(MAKE_DIRECTORY ${OUT_DIR})
execute_process(COMMAND ${GENERATOR} ${OUT_DIR} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "chord_generator failed: ${result}")
endif()
file(GLOB generated RELATIVE ${OUT_DIR} ${OUT_DIR}/*)
list(LENGTH generated count)
if(NOT count EQUAL 12)
    message(FATAL_ERROR "chord_generator wrote ${count} files, not 12")
endif()
foreach(name IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT_DIR}/${name} ${DATA_DIR}/${name}
        RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "data/${name} differs from what chord_generator writes now")
    endif()
endforeach()
message(STATUS "12 chord files match")
