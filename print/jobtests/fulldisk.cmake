# Runs ${SCRIPT} in ${WORKDIR}, where the folder "full" is a small file system filled to the
# last byte: every file written there must be reported as not written and be gone afterwards,
# and nothing may say it was written. The file system is mounted in a mount namespace of the
# run's own (unshare), so no privilege is needed where the kernel allows user namespaces;
# where it does not, the test is skipped with a message. Arguments: TWTOOLS, SCRIPT, WORKDIR.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORKDIR})
file(MAKE_DIRECTORY ${WORKDIR}/full)
find_program(UNSHARE unshare)
if(NOT UNSHARE)
  message("skipped: unshare is not installed, no small file system can be mounted")
  return()
endif()
# Inside: mount, fill, run, then list what is left in the full folder.
set(inside [=[
mount -t tmpfs -o size=16k twfull full || exit 77
head -c 1048576 /dev/zero > full/filler 2>/dev/null
"$0" script "$1"
printf 'left\t%s\n' "$(ls full | tr '\n' ' ')"
]=])
execute_process(COMMAND ${UNSHARE} -r -m sh -c "${inside}" ${TWTOOLS} ${SCRIPT}
  WORKING_DIRECTORY ${WORKDIR} OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE code)
if(code EQUAL 77 OR errors MATCHES "unshare: ")
  message("skipped: this machine does not allow mounting a small file system (${errors})")
  return()
endif()

set(failures "")
foreach(expected
    "message\terror\tPrint Error\tCannot print the Mortgage Payoff Schedule: full/printed.pdf: the disk is full, the file could not be written whole\n"
    "message\terror\tSave as PDF\tCannot write the PDF file full/saved.pdf: the disk is full, the file could not be written whole\n"
    "message\twarning\tExport CSV\tCannot write the file full/table.csv\n"
    "left\tfiller \n")
  string(FIND "${output}" "${expected}" at)
  if(at EQUAL -1)
    string(APPEND failures "missing: ${expected}")
  endif()
endforeach()
if(output MATCHES "Saved the printout|Exported the table")
  string(APPEND failures "a file on the full disk was said to be written\n")
endif()
if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}The run wrote:\n${output}${errors}")
endif()
