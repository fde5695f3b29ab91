# Configures and builds a fixture program with the layers' build rules and prints what the
# build said; the test then looks for the refusal in it.
# Run as: cmake -DFIXTURE=<dir> -DBINARY=<dir> -DQUILLO_CMAKE=<dir> -P buildFixture.cmake
file(REMOVE_RECURSE ${BINARY})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${FIXTURE} -B ${BINARY} -DQUILLO_CMAKE=${QUILLO_CMAKE}
                OUTPUT_VARIABLE configured ERROR_VARIABLE configured RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the fixture did not configure:\n${configured}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY}
                OUTPUT_VARIABLE built ERROR_VARIABLE built RESULT_VARIABLE status)
message("${built}")
if(status EQUAL 0)
  message(FATAL_ERROR "the fixture was built")
endif()
