# One library target per source folder, its files gathered from the folder itself.
function(dravo_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# A GoogleTest executable from every .cpp of a tests folder; each case is registered with CTest.
# ON_SERVER: every case is registered a second time ("pg." before its name) to run against the
# PostgreSQL server that the test run starts (tests/CMakeLists.txt), its address in
# DRAVO_TEST_SERVER (the one variable: gtest_discover_tests would split a list of them).
function(dravo_gtest name)
  cmake_parse_arguments(ARG "ON_SERVER" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    DRAVO_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    DRAVO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    DRAVO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QTWEBENGINE_DISABLE_SANDBOX=1")
  if(ARG_ON_SERVER AND DRAVO_TEST_SERVER)
    gtest_discover_tests(${name}
      TEST_PREFIX "pg."
      DISCOVERY_TIMEOUT 60
      PROPERTIES
        ENVIRONMENT "DRAVO_TEST_SERVER=${DRAVO_TEST_SERVER}"
        FIXTURES_REQUIRED pgserver)
  endif()
endfunction()
