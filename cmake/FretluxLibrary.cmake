# SPDX-License-Identifier: MIT
# One static library per folder under src/, each naming what it links, so that a behaviour
# library which reaches for Qt or FluidSynth fails to build instead of quietly depending on it.
function(fretlux_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    fretlux_warnings(${name})
endfunction()

function(fretlux_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
