# run(STATUS ARGS...): runs dravo-cli (${CLI}) with ARGS and fails the test unless it exits with
# STATUS; a failure must come with a message. The output is left in last_output.
function(run expected_status)
  execute_process(COMMAND ${CLI} ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  if(NOT status EQUAL expected_status)
    message(FATAL_ERROR "dravo-cli ${ARGN}: status ${status}, expected ${expected_status}\n${err}")
  endif()
  if(expected_status EQUAL 1 AND err STREQUAL "")
    message(FATAL_ERROR "dravo-cli ${ARGN}: failed without a message")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()
