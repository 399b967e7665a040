# Runs dravo-cli vars and render --set as a user would.
# Called by CTest with -DCLI=<dravo-cli> -DWORK=<folder> -DSAMPLE=<sample.adf>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_run.cmake)

function(expect text pattern)
  string(FIND "${text}" "${pattern}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the output lacks '${pattern}':\n${text}")
  endif()
endfunction()

set(T ${WORK}/contract.adf)
file(COPY_FILE ${SAMPLE} ${T})

# One line per item: word, kind, hint, value.
run(0 vars ${T})
set(listing "${last_output}")
expect("${listing}" "срок поставки\t0\tСрок передачи товара\t30 (тридцати) календарных дней\n")
expect("${listing}" "место передачи товара\t2\tМесто передачи товара\tсклад Покупателя\n")
expect("${listing}" "\t0\t-\t\n")

# Values by word, without regard to letter case; the file keeps them.
run(0 vars ${T} --set "СРОК ПОСТАВКИ=5 дней" "размер неустойки=0,2")
run(0 vars ${T})
expect("${last_output}" "срок поставки\t0\tСрок передачи товара\t5 дней\n")
expect("${last_output}" "размер неустойки\t3\tНеустойка, процентов в день\t0,2\n")

# An unknown word is named and the file is left as it was.
file(READ ${T} before HEX)
run(1 vars ${T} --set "срок поставки=1 день" "нет такого=1")
execute_process(COMMAND ${CLI} vars ${T} --set "нет такого=1" ERROR_VARIABLE err)
expect("${err}" "нет такого")
file(READ ${T} after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a refused --set changed the file")
endif()
run(1 vars ${T} --set)
run(1 vars ${T} --set "=x")
run(1 vars ${WORK}/missing.adf)

# A value longer than the entry form keeps is refused, not cut.
string(REPEAT "x" 300 long)
run(1 vars ${T} --set "срок поставки=${long}")

# render --set: one page with the values, the file untouched.
run(0 render ${T} --utf8 --set "срок поставки=7 (семи) дней" -o ${WORK}/page.html)
file(READ ${WORK}/page.html page)
expect("${page}" "7 (семи) дней")
file(READ ${T} after HEX)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "render --set changed the file")
endif()
run(1 render ${T} --set "неизвестно=1")
