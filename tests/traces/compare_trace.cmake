# Replays SCRIPT through TOOL and compares standard output with the .expected file beside it, and the
# exit status with the .status file (0 when there is none). RUNNER, when given, runs TOOL (node for the
# WebAssembly build).
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(expected_status 0)
if(EXISTS ${dir}/${name}.status)
    file(STRINGS ${dir}/${name}.status expected_status LIMIT_COUNT 1)
endif()
execute_process(COMMAND ${RUNNER} ${TOOL} INPUT_FILE ${SCRIPT} OUTPUT_VARIABLE actual ERROR_VARIABLE errors
    RESULT_VARIABLE status TIMEOUT 60)
file(READ ${dir}/${name}.expected expected)
if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "${name}: exit status ${status}, expected ${expected_status}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
    set(actual_file ${CMAKE_CURRENT_BINARY_DIR}/${name}.actual)
    file(WRITE ${actual_file} "${actual}")
    execute_process(COMMAND diff -u ${dir}/${name}.expected ${actual_file} OUTPUT_VARIABLE difference)
    message(FATAL_ERROR "${name}: output differs from ${name}.expected\n${difference}")
endif()
