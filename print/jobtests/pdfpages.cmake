# Included by the read-back tests: runs ${SCRIPT} through the script host in a new, empty
# ${WORKDIR} and reads the PDF it prints back with pdftotext's layout. Sets, in the caller:
#   output  what the script host wrote
#   text    the PDF as text
#   pages   the text as a list of pages (pdftotext ends each page with a form feed)
# Any failure on the way ends the test with what was seen.
macro(tw_print_and_read_back pdf)
  file(REMOVE_RECURSE ${WORKDIR})
  file(MAKE_DIRECTORY ${WORKDIR})
  execute_process(COMMAND ${TWTOOLS} script ${SCRIPT} WORKING_DIRECTORY ${WORKDIR}
    OUTPUT_VARIABLE output RESULT_VARIABLE tw_code)
  if(NOT tw_code EQUAL 0)
    message(FATAL_ERROR "twtools script failed (${tw_code}):\n${output}")
  endif()
  get_filename_component(tw_stem ${pdf} NAME_WE)
  execute_process(COMMAND ${PDFTOTEXT} -layout ${pdf} ${tw_stem}.txt WORKING_DIRECTORY ${WORKDIR}
    RESULT_VARIABLE tw_code ERROR_VARIABLE tw_errors)
  if(NOT tw_code EQUAL 0)
    message(FATAL_ERROR "pdftotext cannot read the PDF: ${tw_errors}\nThe run wrote:\n${output}")
  endif()
  file(READ ${WORKDIR}/${tw_stem}.txt text)
  string(ASCII 12 tw_form_feed)
  string(REPLACE "${tw_form_feed}" ";" pages "${text}")
endmacro()
