# The forms' Graph buttons in the script host, then the graph programs on the files they wrote:
# what a user gets who presses Graph, short of the window. Run by ctest as graphs.endtoend.
#   -DTWTOOLS= -DTWREF= -DTWTPLOT= -DSCRIPT= -DWORKDIR=
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR})

function(run_checked)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
      --unset=QT_QPA_PLATFORM ${ARGN}
    WORKING_DIRECTORY ${WORKDIR}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE code)
  if(NOT code EQUAL 0)
    message(FATAL_ERROR "${ARGN}: exit code ${code}\n${out}${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

run_checked(${TWTOOLS} script ${SCRIPT})
foreach(line "start\ttwref.exe ref.tmp\tok" "start\ttwtplot.exe trade.tmp\tok")
  string(FIND "${run_output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the script host did not report \"${line}\":\n${run_output}")
  endif()
endforeach()

run_checked(${TWREF} --output ref.svg ref.tmp)
run_checked(${TWREF} --output ref.png --size 640x400 ref.tmp)
run_checked(${TWTPLOT} --output trade.svg trade.tmp)
file(READ ${WORKDIR}/ref.svg ref_svg)
file(READ ${WORKDIR}/trade.svg trade_svg)
foreach(wanted ">Months to break even: 16 to 19<" ">Existing Mortgage<" ">Refinanced Mortgage<")
  string(FIND "${ref_svg}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "ref.svg does not hold ${wanted}")
  endif()
endforeach()
foreach(wanted ">Buy<" ">Rent<")
  string(FIND "${trade_svg}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "trade.svg does not hold ${wanted}")
  endif()
endforeach()
if(NOT EXISTS ${WORKDIR}/ref.png)
  message(FATAL_ERROR "no ref.png")
endif()
