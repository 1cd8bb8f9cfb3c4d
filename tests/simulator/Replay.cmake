# SPDX-License-Identifier: GPL-3.0-or-later
# Replays a script through the simulator. Lines beginning with ">" are what it must print
# (standard output, then standard error, then "exit STATUS"); all other lines are its input.
# A first line "# args: ..." gives its command-line options.
file(READ ${SCRIPT} script)
# Lines become list items; their own semicolons travel as a placeholder.
string(REPLACE ";" "<semicolon>" lines "${script}")
string(REPLACE "\n" ";" lines "${lines}")
foreach(line IN LISTS lines)
    string(REPLACE "<semicolon>" ";" line "${line}")
    if(line MATCHES "^>")
        string(REGEX REPLACE "^> ?" "" line "${line}")
        string(APPEND expected "${line}\n")
    else()
        string(APPEND input "${line}\n")
    endif()
endforeach()
if(script MATCHES "^# args:([^\n]*)")
    separate_arguments(args UNIX_COMMAND "${CMAKE_MATCH_1}")
endif()
get_filename_component(name ${SCRIPT} NAME_WE)
set(work ${CMAKE_CURRENT_BINARY_DIR}/replay-${name})
file(WRITE ${work}.in "${input}")
execute_process(COMMAND ${SIM} ${args} INPUT_FILE ${work}.in OUTPUT_VARIABLE actual
                ERROR_VARIABLE errors RESULT_VARIABLE status)
string(APPEND actual "${errors}exit ${status}\n")
if(NOT actual STREQUAL expected)
    file(WRITE ${work}.expected "${expected}")
    file(WRITE ${work}.actual "${actual}")
    execute_process(COMMAND diff -u ${work}.expected ${work}.actual OUTPUT_VARIABLE diff)
    message(FATAL_ERROR "${SCRIPT}: the output differs (- expected, + actual):\n${diff}")
endif()
