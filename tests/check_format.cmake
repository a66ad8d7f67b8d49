# Fails when any C++ source of the project differs from what clang-format makes of it.
file(GLOB_RECURSE sources ${SOURCE_DIR}/engine/*.[ch]* ${SOURCE_DIR}/scene/*.[ch]* ${SOURCE_DIR}/desktop/*.[ch]*
     ${SOURCE_DIR}/tools/*.[ch]* ${SOURCE_DIR}/web/*.[ch]* ${SOURCE_DIR}/tests/*.[ch]* ${SOURCE_DIR}/bench/*.[ch]*)
list(FILTER sources INCLUDE REGEX "\\.(h|cpp)$")
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources} RESULT_VARIABLE status ERROR_VARIABLE report)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "These files need clang-format:\n${report}")
endif()
