# Runs twtools in a way that cannot succeed and checks that it says so plainly:
#   -DTWTOOLS=path -DARGS="a;b" [-DENV="NAME=value;..."] [-DUNSET="NAME;..."]
#   -DCODE=expected exit code -DSTDERR=regular expression the whole standard error must match
#   (empty: nothing on standard error), [-DSTDOUT=...] the same for standard output
#   (default: empty)
# One line on standard error: what is wrong and what to do, never a crash or Qt's abort.
set(env_args "")
foreach(name IN LISTS UNSET)
  list(APPEND env_args --unset=${name})
endforeach()
foreach(assignment IN LISTS ENV)
  list(APPEND env_args ${assignment})
endforeach()
file(MAKE_DIRECTORY ${WORKDIR})
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env ${env_args} ${TWTOOLS} ${ARGS}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE code
  TIMEOUT 60)
set(failed FALSE)
if(NOT code STREQUAL CODE)
  message("Exit code ${code}, expected ${CODE}")
  set(failed TRUE)
endif()
if(STDERR STREQUAL "" AND NOT err STREQUAL "")
  message("Standard error should be empty:\n${err}")
  set(failed TRUE)
elseif(NOT STDERR STREQUAL "" AND NOT err MATCHES "^${STDERR}\n$")
  message("Standard error does not match ^${STDERR}\\n$:\n${err}")
  set(failed TRUE)
endif()
if(NOT out MATCHES "^${STDOUT}$")
  message("Standard output does not match ^${STDOUT}$:\n${out}")
  set(failed TRUE)
endif()
if(failed)
  message(FATAL_ERROR "${ARGS}: not refused as expected")
endif()
