# Runs dravo-cli library as a script would: builds a library, lists it, renames, moves and
# removes elements, and checks the listing, the files and the refusals.
# Called by CTest with -DCLI=<dravo-cli> -DWORK=<folder> -DSKELETON=<resources folder>.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/Data ${WORK}/Templates ${WORK}/Registers)
include(${CMAKE_CURRENT_LIST_DIR}/../cmake/cli_run.cmake)

function(expect_list expected)
  run(0 library list --root ${WORK})
  if(NOT last_output STREQUAL expected)
    message(FATAL_ERROR "library list gave\n${last_output}\nexpected\n${expected}")
  endif()
endfunction()

run(1 library list --root ${WORK}) # no library file
run(1 library add X --root ${WORK}) # and none is created
run(0 library create --root ${WORK})
run(1 library create --root ${WORK}) # never over an existing one
expect_list("")

run(0 library add "Договоры" --kind folder --description "Все договоры" --root ${WORK})
run(0 library add "Аренда" --at "Договоры" --inside --root ${WORK})
run(0 library add "Журнал документов" --kind journal --root ${WORK})
run(0 library add "Старое" --kind folder --root ${WORK})
expect_list("0\t3\tДоговоры\tВсе договоры\tC:\\\n1\t6\tАренда\tАренда\tC:\\\n0\t9\tЖурнал документов\tЖурнал документов\tC:\\\n0\t0\tСтарое\tСтарое\tC:\\\n")

# The name rules refuse, and the library stays as it was.
run(1 library add "a:b" --root ${WORK})
run(1 library add "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx" --root ${WORK})
run(0 library add "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx" --root ${WORK})
run(0 library remove "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx" --root ${WORK})

# Renaming moves the element's file; an existing file of the new name refuses.
file(WRITE "${WORK}/Templates/Аренда.adf" "template")
file(WRITE "${WORK}/Templates/Занято.adf" "other")
run(1 library rename "Аренда" "Занято" --root ${WORK})
run(0 library rename "Аренда" "Аренда помещения" --description "Нежилое помещение" --root ${WORK})
if(NOT EXISTS "${WORK}/Templates/Аренда помещения.adf" OR EXISTS "${WORK}/Templates/Аренда.adf")
  message(FATAL_ERROR "the template file did not follow its element")
endif()

# Moving: an element into a folder (the folder it left shows closed), a folder never into itself.
run(0 library move "Аренда помещения" "Старое" --root ${WORK})
run(1 library move "Договоры" "Договоры" --root ${WORK})
expect_list("0\t0\tДоговоры\tВсе договоры\tC:\\\n0\t9\tЖурнал документов\tЖурнал документов\tC:\\\n0\t3\tСтарое\tСтарое\tC:\\\n1\t6\tАренда помещения\tНежилое помещение\tC:\\\n")

# Removing: excluding keeps the file, deleting removes it.
run(0 library remove "Аренда помещения" --root ${WORK})
if(NOT EXISTS "${WORK}/Templates/Аренда помещения.adf")
  message(FATAL_ERROR "excluding removed the file")
endif()
run(0 library add "Занято" --at "Старое" --inside --root ${WORK})
run(0 library remove "Занято" --delete --root ${WORK})
if(EXISTS "${WORK}/Templates/Занято.adf")
  message(FATAL_ERROR "deleting kept the file")
endif()
run(1 library remove "Нет такого" --root ${WORK})

# The skeleton's library: the starter contracts in folders by kind, each with its template file,
# and the journal.
run(0 library list --root ${SKELETON})
set(expected "0\t3\tДоговоры\tШаблоны договоров\t[^\n]*
1\t3\tКупля-продажа и поставка\t[^\n]*
2\t6\tДоговор купли-продажи\t[^\n]*
2\t6\tДоговор купли-продажи имущества\t[^\n]*
2\t6\tДоговор поставки\t[^\n]*
1\t3\tАренда\t[^\n]*
2\t6\tДоговор аренды нежилого помещения\t[^\n]*
1\t3\tРаботы и услуги\t[^\n]*
2\t6\tДоговор подряда\t[^\n]*
2\t6\tДоговор возмездного оказания услуг\t[^\n]*
1\t3\tЗаймы\t[^\n]*
2\t6\tДоговор займа\t[^\n]*
0\t9\tЖурнал документов\t[^\n]*
$")
if(NOT last_output MATCHES "^${expected}")
  message(FATAL_ERROR "the skeleton library is not as shipped:\n${last_output}")
endif()
string(REGEX MATCHALL "\t6\t[^\t]+" templates "${last_output}")
foreach(t ${templates})
  string(REPLACE "\t6\t" "" name "${t}")
  if(NOT EXISTS "${SKELETON}/Templates/${name}.adf")
    message(FATAL_ERROR "the skeleton lacks the template file of ${name}")
  endif()
endforeach()
