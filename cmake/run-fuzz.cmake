# Runs FUZZER with ARGUMENTS on a fresh copy of the corpus in CORPUS, made in SCRATCH.
file(REMOVE_RECURSE ${SCRATCH})
file(COPY ${CORPUS}/ DESTINATION ${SCRATCH})
execute_process(COMMAND ${FUZZER} ${ARGUMENTS} ${SCRATCH} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${FUZZER} failed: ${result}")
endif()
