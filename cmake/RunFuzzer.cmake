# Runs one libFuzzer target reproducibly: a fixed number of runs from a fixed
# seed, on a fresh copy of its seed inputs, so that the corpus it grows lives
# only for this run and the next run starts from the same place.
# A run stops after 5 seconds even short of its count, which keeps the
# whole test script within its time on a slow machine.
#   cmake -DFUZZER=PROGRAM -DSEEDS=FOLDER -DWORK=FOLDER -DRUNS=N -P RunFuzzer.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
if(IS_DIRECTORY "${SEEDS}")
  file(GLOB seeds "${SEEDS}/*")
  if(seeds)
    file(COPY ${seeds} DESTINATION "${WORK}")
  endif()
endif()
execute_process(COMMAND "${FUZZER}" -runs=${RUNS} -seed=1 -timeout=10 -rss_limit_mb=2048
                        -max_total_time=5 -print_final_stats=1 "${WORK}"
                RESULT_VARIABLE status)
file(REMOVE_RECURSE "${WORK}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${status})")
endif()
