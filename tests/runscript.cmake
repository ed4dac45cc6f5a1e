# Runs one script scenario; see CMakeLists.txt beside this file.
get_filename_component(dir ${SCRIPT} DIRECTORY)
get_filename_component(name ${SCRIPT} NAME_WE)
set(base ${dir}/${name})

file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})
if(IS_DIRECTORY ${base}.before)
  file(COPY ${base}.before/ DESTINATION ${WORKDIR})
endif()

execute_process(
  COMMAND ${TWTOOLS} script ${SCRIPT}
  WORKING_DIRECTORY ${WORKDIR}
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE code)

file(READ ${base}.out expected)
set(expected_code 0)
if(expected MATCHES "(^|\n)error\t")
  set(expected_code 2)
endif()

set(failed FALSE)
if(NOT actual STREQUAL expected)
  file(WRITE ${WORKDIR}/actual.out "${actual}")
  execute_process(COMMAND diff -u ${base}.out ${WORKDIR}/actual.out OUTPUT_VARIABLE difference)
  message("Output differs from ${name}.out:\n${difference}")
  set(failed TRUE)
endif()
if(NOT code STREQUAL expected_code)
  message("Exit code ${code}, expected ${expected_code}")
  set(failed TRUE)
endif()
if(NOT errors STREQUAL "")
  message("Standard error:\n${errors}")
  if(errors MATCHES "Sanitizer|runtime error")
    set(failed TRUE)
  endif()
endif()

if(IS_DIRECTORY ${base}.files)
  file(GLOB_RECURSE wanted RELATIVE ${base}.files ${base}.files/*)
  foreach(f IN LISTS wanted)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${base}.files/${f} ${WORKDIR}/${f}
      RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
      message("File ${f} differs from ${name}.files/${f}")
      set(failed TRUE)
    endif()
  endforeach()
endif()

if(EXISTS ${base}.absent)
  file(STRINGS ${base}.absent absent)
  foreach(f IN LISTS absent)
    if(EXISTS ${WORKDIR}/${f})
      message("File ${f} should not have been written")
      set(failed TRUE)
    endif()
  endforeach()
endif()

if(failed)
  message(FATAL_ERROR "script scenario ${name} failed")
endif()
