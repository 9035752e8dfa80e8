# tobrel_add_test(NAME SOURCES src... LIBS lib... [SHARDS n])
# Builds one GoogleTest program and registers it with ctest. Tests run from the
# source tree's tests/data folder through the TOBREL_TEST_DATA definition.
# With SHARDS, the program is registered as n ctest entries (NAME_shard_i)
# that each run one share of its tests through GoogleTest's sharding, so a
# long program keeps both cores busy under `ctest -j`.
function(tobrel_add_test name)
  cmake_parse_arguments(ARG "" "SHARDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  # The shared test helpers, included as "tests/support/..." and the like.
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/include/tests)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/tests ${PROJECT_BINARY_DIR}/include/tests/tests SYMBOLIC)
  target_include_directories(${name} PRIVATE ${PROJECT_BINARY_DIR}/include/tests)
  target_compile_definitions(${name} PRIVATE
    TOBREL_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(NOT ARG_SHARDS)
    add_test(NAME ${name} COMMAND ${name})
    tobrel_use_test_cache(${name})
    return()
  endif()
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${name}_shard_${shard} COMMAND ${name})
    set_tests_properties(${name}_shard_${shard} PROPERTIES ENVIRONMENT
      "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
    tobrel_use_test_cache(${name}_shard_${shard})
  endforeach()
endfunction()

# tobrel_use_test_cache(TEST...)
# Points the cache of parsed logs of each test at a folder of its own in the
# build tree ($XDG_CACHE_HOME), so that no test reads or fills the user's.
function(tobrel_use_test_cache)
  foreach(test ${ARGN})
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
                 "XDG_CACHE_HOME=${PROJECT_BINARY_DIR}/test-cache/${test}")
  endforeach()
endfunction()

# tobrel_use_test_caches_here()
# tobrel_use_test_cache() for every test of the calling folder so far.
function(tobrel_use_test_caches_here)
  get_property(tests DIRECTORY PROPERTY TESTS)
  tobrel_use_test_cache(${tests})
endfunction()
