# Runs dxsim with ARGS (a ;-list), and compares its exit status with
# EXPECTED_EXIT and its standard output with the file EXPECTED; in the
# folder WORKDIR when given, with the file STDIN as standard input.
if(NOT WORKDIR)
  set(WORKDIR .)
endif()
set(input)
if(STDIN)
  set(input INPUT_FILE ${STDIN})
endif()
execute_process(
  COMMAND ${DXSIM} ${ARGS}
  ${input}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE actual
  RESULT_VARIABLE status)
if(NOT status STREQUAL EXPECTED_EXIT)
  message(FATAL_ERROR "dxsim exited with ${status}, expected ${EXPECTED_EXIT}\n${actual}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL_OUT} "${actual}")
  message(FATAL_ERROR "output differs from ${EXPECTED}; actual output in ${ACTUAL_OUT}:\n${actual}")
endif()
