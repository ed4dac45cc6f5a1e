# Prints the refinance report to a PDF file through the script host and reads its pages back:
# the title line of the title page and of every page's heading is the report's own title,
# wherever its form was opened from, and never "File: "; every page has its "Page k of N" and
# the rows' ages. Arguments: TWTOOLS, SCRIPT, WORKDIR, PDFTOTEXT.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pdfpages.cmake)
tw_print_and_read_back(report.pdf)

# 62 rows of 46 a page: two page files and the title page.
set(failures "")
list(LENGTH pages count)
if(count LESS 3)
  string(APPEND failures "expected three pages\n")
else()
  foreach(number 0 1 2)
    list(GET pages ${number} page)
    if(NOT page MATCHES "Refinance Analysis Report" OR page MATCHES "File:|Mortgage Payoff")
      string(APPEND failures "page ${number} lacks the report's title\n")
    endif()
  endforeach()
  list(GET pages 1 first)
  list(GET pages 2 second)
  if(NOT first MATCHES "Page 1 of 2" OR NOT second MATCHES "Page 2 of 2")
    string(APPEND failures "the page numbers are missing\n")
  endif()
  # Rows 0, 2, 4, … carry O and the others R, the age read back as a number.
  if(NOT first MATCHES "45\\.00 O" OR NOT first MATCHES "45\\.00 R" OR NOT second MATCHES "75\\.00 R")
    string(APPEND failures "the ages of the rows are missing\n")
  endif()
endif()
if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}The PDF reads as:\n${text}")
endif()
