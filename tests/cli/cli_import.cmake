# Runs dravo-cli import as a user would: a recognised contract becomes a template, a text that is
# not one fails with the importer's message and writes nothing; the library's import places it.
# Called by CTest with -DCLI=<dravo-cli> -DWORK=<folder>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Data ${WORK}/Templates ${WORK}/Registers)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_run.cmake)

file(WRITE ${WORK}/good.txt "ДОГОВОР ПОСТАВКИ\nПоставщик и Покупатель заключили договор о нижеследующем:\n1. ПРЕДМЕТ\n1.1. Поставщик поставляет товар.\n")
file(WRITE ${WORK}/bad.txt "Просто письмо без договора.\n")

run(0 import ${WORK}/good.txt ${WORK}/good.adf --name "Поставка")
if(NOT last_output STREQUAL "Поставка: 1 articles, 1 clauses\n")
  message(FATAL_ERROR "import said: ${last_output}")
endif()
run(0 dump ${WORK}/good.adf)
string(FIND "${last_output}" "Поставщик поставляет товар." at)
if(at EQUAL -1)
  message(FATAL_ERROR "the clause is not in the template")
endif()

execute_process(COMMAND ${CLI} import ${WORK}/bad.txt ${WORK}/bad.adf RESULT_VARIABLE status
                ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "Не распознаны структура или формат текста договора"
   OR EXISTS ${WORK}/bad.adf)
  message(FATAL_ERROR "an unrecognised text: status ${status}, ${err}")
endif()
run(1 import ${WORK}/none.txt ${WORK}/none.adf)

# A character windows-1251 lacks is refused with its line, never stored as "?".
file(WRITE ${WORK}/emoji.txt "ДОГОВОР ПОСТАВКИ\nПоставщик 😀 и Покупатель заключили договор о нижеследующем:\n1. ПРЕДМЕТ\n1.1. Поставщик поставляет товар.\n")
execute_process(COMMAND ${CLI} import ${WORK}/emoji.txt ${WORK}/emoji.adf RESULT_VARIABLE status
                ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "Строка 2: Символ \\(U\\+1F600\\)"
   OR err MATCHES "Не распознаны" OR EXISTS ${WORK}/emoji.adf)
  message(FATAL_ERROR "a refused character: status ${status}, ${err}")
endif()

# The library's import: placed after the selected element, its file under Templates.
run(0 library create --root ${WORK})
run(0 library add "Договоры" --kind folder --root ${WORK})
run(0 library import ${WORK}/good.txt --at "Договоры" --root ${WORK})
run(1 library import ${WORK}/bad.txt --at "Договоры" --root ${WORK})
execute_process(COMMAND ${CLI} library import ${WORK}/emoji.txt --at "Договоры" --root ${WORK}
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 1 OR NOT err MATCHES "Строка 2: Символ \\(U\\+1F600\\)"
   OR err MATCHES "Не распознаны" OR EXISTS ${WORK}/Templates/emoji.adf)
  message(FATAL_ERROR "library import of a refused character: status ${status}, ${err}")
endif()
run(0 library list --root ${WORK})
if(NOT last_output STREQUAL "0\t0\tДоговоры\tДоговоры\tC:\\\n0\t6\tgood\tgood\tC:\\\n"
   OR NOT EXISTS ${WORK}/Templates/good.adf OR EXISTS ${WORK}/Templates/bad.adf)
  message(FATAL_ERROR "library after import:\n${last_output}")
endif()
