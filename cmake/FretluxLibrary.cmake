# SPDX-License-Identifier: MIT
# One static library per folder under src/, each naming what it links, so that a behaviour
# library which reaches for Qt or FluidSynth fails to build instead of quietly depending on it.
#
# The dependency rule: a library uses Qt only when it says USES_QT, and only a library that says
# so may link Qt or a library that uses it. The behaviour libraries (document, fretboard,
# playback, exports, import, listening, texttools, chords, app) and sound/ (the synthesiser and
# offline rendering) do not say it, so linking Qt from them stops the configure step; desktop/
# and ui/ do.
function(fretlux_library name)
    cmake_parse_arguments(ARG "USES_QT" "" "SOURCES;LINKS" ${ARGN})
    if(NOT ARG_USES_QT)
        fretlux_refuse_qt(${name} ${ARG_LINKS})
    endif()
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    set_target_properties(${name} PROPERTIES FRETLUX_USES_QT "${ARG_USES_QT}")
    fretlux_warnings(${name})
endfunction()

# A library is defined after the libraries it links, so that whether they use Qt is known.
function(fretlux_refuse_qt name)
    foreach(link IN LISTS ARGN)
        if(link MATCHES "^Qt[0-9]*::")
            message(FATAL_ERROR "${name} links ${link} but does not say USES_QT")
        endif()
        if(link MATCHES "^fretlux_")
            if(NOT TARGET ${link})
                message(FATAL_ERROR "${name} links ${link}, which is not defined yet")
            endif()
            get_target_property(link_uses_qt ${link} FRETLUX_USES_QT)
            if(link_uses_qt)
                message(FATAL_ERROR "${name} links ${link}, which uses Qt, but does not say USES_QT")
            endif()
        endif()
    endforeach()
endfunction()

function(fretlux_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
