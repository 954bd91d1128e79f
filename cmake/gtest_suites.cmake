# Lists the suites of a GoogleTest program and writes CTest tests for them into OUT: one
# per suite, or a suite of many cases in shards of about CASES cases. Used where each
# start of a test process is slow (the Windows program under Wine), so cases share a
# process instead of one process each.
#   cmake -D EMULATOR=... -D PROGRAM=... -D WORKDIR=... -D OUT=... -P gtest_suites.cmake
set(CASES 8)
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --gtest_list_tests
                WORKING_DIRECTORY ${WORKDIR}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status TIMEOUT 120)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cannot list the tests of ${PROGRAM}: ${status}")
endif()
string(REPLACE "\r" "" listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(suites "")
foreach(line IN LISTS lines)
  # A suite's line starts in the first column and its name ends in a dot; its cases follow,
  # indented.
  if(line MATCHES "^([A-Za-z0-9_/]+)\\.")
    set(suite ${CMAKE_MATCH_1})
    list(APPEND suites ${suite})
    set(cases_${suite} 0)
  elseif(line MATCHES "^  [A-Za-z0-9_/]")
    math(EXPR cases_${suite} "${cases_${suite}} + 1")
  endif()
endforeach()

set(script "")
foreach(suite IN LISTS suites)
  math(EXPR shards "(${cases_${suite}} + ${CASES} - 1) / ${CASES}")
  set(command "[=[${EMULATOR}]=] [=[${PROGRAM}]=] [=[--gtest_filter=${suite}.*]=]")
  if(shards LESS_EQUAL 1)
    string(APPEND script "add_test([=[${suite}]=] ${command})\n"
      "set_tests_properties([=[${suite}]=] PROPERTIES WORKING_DIRECTORY [=[${WORKDIR}]=])\n")
    continue()
  endif()
  math(EXPR last "${shards} - 1")
  foreach(shard RANGE ${last})
    math(EXPR number "${shard} + 1")
    set(name "${suite} (${number} of ${shards})")
    string(APPEND script "add_test([=[${name}]=] ${command})\n"
      "set_tests_properties([=[${name}]=] PROPERTIES WORKING_DIRECTORY [=[${WORKDIR}]=] "
      "ENVIRONMENT [=[GTEST_TOTAL_SHARDS=${shards};GTEST_SHARD_INDEX=${shard}]=])\n")
  endforeach()
endforeach()
file(WRITE ${OUT} "${script}")
