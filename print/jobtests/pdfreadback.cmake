# Prints a table to a PDF file through the script host, reads the PDF back as text and checks
# that the reader finds what the window shows: the title on the title page and in every
# page's heading, "Page k of N", today's date, and every row of the table file (the rows and
# texts of the table on the screen) with each figure exactly as the table has it, in order.
# Arguments: TWTOOLS, SCRIPT, WORKDIR, PDFTOTEXT, TABLE (psched.tmp or refprt.tmp), ROWS (the
# rows the table holds), PAGES (the page files), TITLE, INPUT (a pattern of one input line
# of the title page: label, blanks, value); LABELS_ONLY set: of each row only its age and
# O/R mark, for rows too wide for the reader's layout to keep on one line.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pdfpages.cmake)

# The date the pages show: "December 9, 2026". Taken before and after the run, so a run
# across midnight finds one of them.
function(print_date out_var)
  string(TIMESTAMP month "%B")
  string(TIMESTAMP day "%d")
  string(TIMESTAMP year "%Y")
  string(REGEX REPLACE "^0" "" day "${day}")
  set(${out_var} "${month} ${day}, ${year}" PARENT_SCOPE)
endfunction()

print_date(date_before)
tw_print_and_read_back(table.pdf)
print_date(date_after)
string(REGEX MATCHALL "print\tPrinting Schedule\t[0-9]+" printed "${output}")
list(LENGTH printed printed_pages)
math(EXPR expected_pages "${PAGES} + 1")
if(NOT printed_pages EQUAL expected_pages)
  message(FATAL_ERROR "expected the pages 0 to ${PAGES} printed, the run wrote:\n${output}")
endif()
list(LENGTH pages page_count)
if(page_count LESS expected_pages)
  message(FATAL_ERROR "expected ${expected_pages} pages, the PDF reads as:\n${text}")
endif()

set(failures "")
macro(expect page_text what pattern)
  if(NOT "${page_text}" MATCHES "${pattern}")
    string(APPEND failures "${what} not found\n")
  endif()
endmacro()

list(GET pages 0 title_page)
expect("${title_page}" "the title on the title page" "${TITLE}")
expect("${title_page}" "the input line \"${INPUT}\" on the title page" "${INPUT}")
foreach(number RANGE 1 ${PAGES})
  list(GET pages ${number} page)
  expect("${page}" "\"Page ${number} of ${PAGES}\"" "Page ${number} of ${PAGES}")
  expect("${page}" "the title on page ${number}" "${TITLE}")
  if(NOT page MATCHES "${date_before}" AND NOT page MATCHES "${date_after}")
    string(APPEND failures "the date \"${date_after}\" not on page ${number}\n")
  endif()
endforeach()
if(NOT title_page MATCHES "${date_before}" AND NOT title_page MATCHES "${date_after}")
  string(APPEND failures "the date \"${date_after}\" not on the title page\n")
endif()

# Every row of the table, as the pages print it: the age with two decimals (and in the
# refinance report O or R by the row's place), then each figure as the table shows it. The
# rows of a full page are set close together, and the reader's layout then puts the last
# figure of some rows on a line of its own: between figures any blanks and line breaks do.
file(STRINGS ${WORKDIR}/${TABLE} lines)
list(POP_FRONT lines) # the titles
set(rows 0)
set(labels "")
foreach(line IN LISTS lines)
  if(line MATCHES "Dooone")
    break()
  endif()
  string(REPLACE "\t" ";" fields "${line}")
  list(POP_FRONT fields age)
  string(REGEX REPLACE "^ *([0-9]+).*" "\\1.00" age "${age}")
  if(TABLE STREQUAL "refprt.tmp")
    math(EXPR odd "${rows} % 2")
    if(odd)
      string(APPEND age " R")
    else()
      string(APPEND age " O")
    endif()
  endif()
  list(APPEND labels "${age}")
  math(EXPR rows "${rows} + 1")
  if(LABELS_ONLY)
    continue()
  endif()
  string(REPLACE "." "\\." pattern "\n *${age}")
  foreach(field IN LISTS fields)
    string(STRIP "${field}" field)
    if(field STREQUAL "")
      continue() # after the last tab of a schedule row
    endif()
    string(REPLACE "." "\\." field "${field}")
    string(APPEND pattern "[ \n]+${field}")
  endforeach()
  if(NOT text MATCHES "${pattern} *\n")
    string(APPEND failures "row ${rows} (${line}) not found\n")
  endif()
endforeach()
if(NOT rows EQUAL ROWS)
  string(APPEND failures "the table holds ${rows} rows, not ${ROWS}\n")
endif()
# The rows' ages and marks in the PDF are the table's, one each: no row split into pieces.
if(TABLE STREQUAL "refprt.tmp")
  string(REGEX MATCHALL "[0-9]+\\.00 [OR]" printed_labels "${text}")
  if(NOT printed_labels STREQUAL labels)
    string(APPEND failures "the rows' ages read ${printed_labels}, not ${labels}\n")
  endif()
endif()

if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}The PDF reads as:\n${text}")
endif()
