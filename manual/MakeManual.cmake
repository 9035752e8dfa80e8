# cmake -DCLI=tobrel-cli -DSOURCE=checkout -DTEMPLATE=tobrel.html.in
#       -DOUTPUT=tobrel.html [-DCOMPARE=docs/tobrel.html] -P MakeManual.cmake
#
# Writes the manual: the template with each marker <!--report:NAME--> replaced
# by the report NAME of the table below, as tobrel-cli writes it for the
# sample log in UTF-8, with "&", "<" and ">" escaped. Every marker must have
# a report and every report a marker. With COMPARE, also fails unless the
# result equals that file, byte for byte.
cmake_minimum_required(VERSION 3.25)

# NAME|arguments of tobrel-cli, separated by blanks; the sample log is added.
set(reports
  "count|count"
  "count_tables|count --order 2 --tables dhwz"
  "quote|quote"
  "comment|comment"
  "stats|stats --titles 0"
  "month|month --from 1995/12 --to 1996/01"
  "month_id|month --kind 2 --id NBN08841 --from 1995/12 --to 1996/01"
  "info|info"
  "count_tsv|count --format tsv --tables w"
)

file(READ ${TEMPLATE} page)
foreach(report IN LISTS reports)
  string(REPLACE "|" ";" fields "${report}")
  list(GET fields 0 name)
  list(GET fields 1 arguments)
  separate_arguments(arguments UNIX_COMMAND "${arguments}")
  execute_process(COMMAND ${CLI} ${arguments} --utf8 --today 2026/12/10 samples/sample.log
                  WORKING_DIRECTORY ${SOURCE}
                  OUTPUT_VARIABLE text RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tobrel-cli ${arguments} ended with ${status}: ${errors}")
  endif()
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  string(FIND "${page}" "<!--report:${name}-->" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the manual has no place for the report ${name}")
  endif()
  string(REPLACE "<!--report:${name}-->" "${text}" page "${page}")
endforeach()
string(REGEX MATCH "<!--report:[^>]*-->" left "${page}")
if(left)
  message(FATAL_ERROR "the manual asks for a report that is not made: ${left}")
endif()

file(WRITE ${OUTPUT} "${page}")
if(COMPARE)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${COMPARE}
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${COMPARE} is not what the template and today's reports make "
                        "(${OUTPUT}); run scripts/manual.sh and review the change.")
  endif()
endif()
