# Runs dravo-cli render as a user would and checks the pages and exit statuses.
# Called by CTest with -DCLI=<dravo-cli> -DWORK=<folder> -DSAMPLE=<sample.adf>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Data)

include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_run.cmake)

function(expect file pattern)
  file(READ ${file} text)
  string(FIND "${text}" "${pattern}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${file} lacks '${pattern}'")
  endif()
endfunction()

function(expect_not file pattern)
  file(READ ${file} text)
  string(FIND "${text}" "${pattern}" at)
  if(NOT at EQUAL -1)
    message(FATAL_ERROR "${file} holds '${pattern}'")
  endif()
endfunction()

# As the view loads it: windows-1251 bytes ("ДОГОВОР" is C4 CE C3 CE C2 CE D0).
run(0 render ${SAMPLE} --number 7 --date 2004-12-06 -o ${WORK}/page.html)
file(READ ${WORK}/page.html hex HEX)
string(FIND "${hex}" "c4cec3cec2ced0" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the page is not windows-1251 text")
endif()

# For reading: UTF-8, the number, the date, the header and the requisites.
run(0 render ${SAMPLE} --number 7 --date 2004-12-06 --utf8 -o ${WORK}/page-utf8.html)
expect(${WORK}/page-utf8.html "charset=utf-8")
expect(${WORK}/page-utf8.html "ДОГОВОР<SPAN")
expect(${WORK}/page-utf8.html " №7</SPAN>")
expect(${WORK}/page-utf8.html "\"06\" декабря 2004 г.")
expect(${WORK}/page-utf8.html "заключили настоящий договор о нижеследующем:")
expect(${WORK}/page-utf8.html "window.external.DirRekv(6)")
expect(${WORK}/page-utf8.html "color:blue;")
expect(${WORK}/page-utf8.html "</BODY></HTML>")

run(0 render ${SAMPLE} --no-date --highlight off --utf8 -o ${WORK}/plain.html)
expect(${WORK}/plain.html "\"____\" __________ ")
expect_not(${WORK}/plain.html "color:blue;")

run(0 render ${SAMPLE} --kind 3 --utf8 -o ${WORK}/kind3.html)
expect(${WORK}/kind3.html "Dravo Document")
expect_not(${WORK}/kind3.html "заключили")

# Bad input: a message and status 1, nothing written.
run(1 render ${WORK}/missing.adf -o ${WORK}/missing.html)
if(EXISTS ${WORK}/missing.html)
  message(FATAL_ERROR "a page was written for a missing template")
endif()
# A file named in Russian is named once and readably in the message.
run(1 render "${WORK}/нет такого.adf")
execute_process(COMMAND ${CLI} render "${WORK}/нет такого.adf" ERROR_VARIABLE err)
string(FIND "${err}" "${WORK}/нет такого.adf" named)
string(FIND "${err}" "${WORK}/" first)
string(FIND "${err}" "${WORK}/" last REVERSE)
if(named EQUAL -1 OR NOT first EQUAL last)
  message(FATAL_ERROR "the message does not name the file once as given: ${err}")
endif()
file(WRITE ${WORK}/bad.adf "not a template")
run(1 render ${WORK}/bad.adf)
run(1 render ${SAMPLE} --date 2004-02-30)
run(1 render ${SAMPLE} --highlight maybe)
run(1 render ${SAMPLE} --kind x)
run(1 render)
