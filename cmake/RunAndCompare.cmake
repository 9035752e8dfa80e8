# Runs one command and checks what it did, for ctest entries that run a
# program as a user would:
#   cmake -DEXPECT_STATUS=N [-DEXPECT_MESSAGE=TEXT] [-DOUTPUT=FILE -DGOLDEN=FILE]
#         -P RunAndCompare.cmake -- COMMAND [ARG...]
# EXPECT_STATUS is the exit status; EXPECT_MESSAGE the exact first line of
# standard error (empty: nothing on standard error); OUTPUT, a file the
# command writes, is compared byte for byte with GOLDEN and removed first.
set(command)
set(in_command FALSE)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(i RANGE ${last})
  if(in_command)
    list(APPEND command "${CMAKE_ARGV${i}}")
  elseif(CMAKE_ARGV${i} STREQUAL "--")
    set(in_command TRUE)
  endif()
endforeach()
if(NOT command)
  message(FATAL_ERROR "no command after --")
endif()

if(DEFINED OUTPUT)
  file(REMOVE "${OUTPUT}")
endif()
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)

if(NOT status STREQUAL EXPECT_STATUS)
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}; standard error:\n${errors}")
endif()
if(DEFINED EXPECT_MESSAGE)
  string(FIND "${errors}" "\n" end)
  if(end EQUAL -1)
    set(first_line "${errors}")
  else()
    string(SUBSTRING "${errors}" 0 ${end} first_line)
  endif()
  if(NOT first_line STREQUAL EXPECT_MESSAGE)
    message(FATAL_ERROR "standard error:\n${errors}\nexpected first line:\n${EXPECT_MESSAGE}")
  endif()
endif()
if(DEFINED GOLDEN)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${OUTPUT}" "${GOLDEN}"
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${OUTPUT} differs from ${GOLDEN}")
  endif()
endif()
