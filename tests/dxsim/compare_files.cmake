# Runs dxsim with ARGS and requires exit status 0 and the files A and B to
# be byte for byte equal.
execute_process(COMMAND ${DXSIM} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "dxsim exited with ${status}\n${out}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${A} ${B} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${A} and ${B} differ")
endif()
