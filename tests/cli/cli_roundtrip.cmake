# Runs dravo-cli new, dump and build as a user would and checks the files and exit statuses.
# Called by CTest with -DCLI=<dravo-cli> -DWORK=<folder> -DSAMPLE=<sample.adf>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_run.cmake)

function(same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE differ)
  if(differ)
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()

run(0 new ${WORK}/new.adf --place "г. Тверь")
run(0 dump ${WORK}/new.adf)
file(WRITE ${WORK}/new.json "${last_output}")
if(NOT last_output MATCHES "\"m_strText\": \"г. Тверь\"")
  message(FATAL_ERROR "the place is not in the dump")
endif()
run(0 build ${WORK}/new.json ${WORK}/rebuilt.adf)
same(${WORK}/new.adf ${WORK}/rebuilt.adf)

run(0 dump ${SAMPLE})
file(WRITE ${WORK}/sample.json "${last_output}")
run(0 build ${WORK}/sample.json ${WORK}/sample.adf)
same(${SAMPLE} ${WORK}/sample.adf)

run(1 dump ${WORK}/missing.adf)
file(WRITE ${WORK}/cut.adf "\x06ADF2.2")
run(1 dump ${WORK}/cut.adf)
run(1 build ${WORK}/missing.json ${WORK}/x.adf)
run(1 new)
