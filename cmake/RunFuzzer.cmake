# Runs one fuzzer for a few seconds over a copy of its seed corpus.
if(NOT SECONDS)
  set(SECONDS 5)
endif()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
if(EXISTS ${SEEDS})
  file(COPY ${SEEDS}/ DESTINATION ${WORK})
endif()
execute_process(COMMAND ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 ${WORK}
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "fuzzer ${FUZZER} failed with ${rc}")
endif()
