# tobrel_add_test(NAME SOURCES src... LIBS lib...)
# Builds one GoogleTest program and registers it with ctest. Tests run from the
# source tree's tests/data folder through the TOBREL_TEST_DATA definition.
function(tobrel_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    TOBREL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  add_test(NAME ${name} COMMAND ${name})
endfunction()
