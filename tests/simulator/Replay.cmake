# Runs SIM with the options on the script's first line ("# args: ...") and the script as input;
# passes when standard output, then standard error and the exit status match the .out file
# next to the script.
file(STRINGS ${SCRIPT} header LIMIT_COUNT 1)
string(REGEX REPLACE "^# args:[ ]*" "" args "${header}")
separate_arguments(args UNIX_COMMAND "${args}")
string(REGEX REPLACE "\\.sim$" ".out" expected_file ${SCRIPT})
file(READ ${expected_file} expected)
execute_process(COMMAND ${SIM} ${args} INPUT_FILE ${SCRIPT} OUTPUT_VARIABLE actual
                ERROR_VARIABLE errors RESULT_VARIABLE status)
string(APPEND actual "${errors}exit ${status}\n")
if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "output differs from ${expected_file}:\n${actual}")
endif()
