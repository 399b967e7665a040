# Runs the decimal-comma tests of test_textgen under a Russian locale built into the build tree,
# so that they run on machines without one installed.
# Called by CTest with -DLOCALEDEF=<localedef> -DTEST=<test_textgen> -DWORK=<folder>.
if(NOT EXISTS ${WORK}/ru_RU.UTF-8)
  file(MAKE_DIRECTORY ${WORK})
  # localedef reports warnings with a non-zero status and still writes the locale.
  execute_process(COMMAND ${LOCALEDEF} -i ru_RU -f UTF-8 ${WORK}/ru_RU.UTF-8
                  OUTPUT_QUIET ERROR_QUIET)
endif()
if(NOT EXISTS ${WORK}/ru_RU.UTF-8)
  message(FATAL_ERROR "localedef did not build ru_RU.UTF-8 in ${WORK}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env LOCPATH=${WORK}
                        ${TEST} --gtest_filter=CommaLocale*
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the decimal-comma tests failed:\n${out}${err}")
endif()
string(FIND "${out}" "SKIPPED" skipped)
if(NOT skipped EQUAL -1)
  message(FATAL_ERROR "the decimal-comma tests did not find the locale:\n${out}")
endif()
