# Prints the loan schedule to a PDF file through the script host and reads it back: the title
# page has the schedule's title and one line for each figure of the loan, label and value;
# every page has the title in its heading, its "Page k of N" and its rows' figures as the
# table file holds them, cents and all. Arguments: TWTOOLS, SCRIPT, WORKDIR, PDFTOTEXT.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/pdfpages.cmake)
tw_print_and_read_back(loan.pdf)

set(failures "")
list(LENGTH pages count)
# 60 payments and 3 year rows, 56 rows a page: two page files and the title page.
if(count LESS 3)
  message(FATAL_ERROR "expected three pages, the PDF reads as:\n${text}")
endif()
list(GET pages 0 title_page)
foreach(line
    "Loan Schedule"
    "Amount borrowed +\\$25,000\\.00"
    "Interest rate +6\\.2500% a year, compounded 26 a year"
    "Payments +60, 26 a year, at the beginning of each period"
    "Payment +\\$[0-9,]+\\.[0-9][0-9]"
    "Balloon +\\$5,000\\.00"
    "Fees and points +\\$300\\.00 and 1\\.500%"
    "Extra payment +\\$20\\.00 from payment 10"
    "Rounding +to the cent, as lenders do")
  if(NOT title_page MATCHES "${line}")
    string(APPEND failures "the title page lacks \"${line}\"\n")
  endif()
endforeach()
foreach(number 1 2)
  list(GET pages ${number} page)
  if(NOT page MATCHES "Page ${number} of 2" OR NOT page MATCHES "Loan Schedule")
    string(APPEND failures "page ${number} lacks its heading\n")
  endif()
endforeach()
# Each row of the table file, its cells in order on one line of the PDF.
file(STRINGS ${WORKDIR}/loansched.tmp lines)
set(rows 0)
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^[0-9]+\t")
    continue() # the titles, the year rows and the end marker
  endif()
  string(REGEX REPLACE "\t$" "" line "${line}")
  string(REPLACE "." "\\." pattern "${line}")
  string(REPLACE "\t" " +" pattern "${pattern}")
  if(NOT text MATCHES "\n *${pattern} *\n")
    string(APPEND failures "row \"${line}\" not found\n")
  endif()
  math(EXPR rows "${rows} + 1")
endforeach()
if(NOT rows EQUAL 60)
  string(APPEND failures "expected 60 payment rows in loansched.tmp, found ${rows}\n")
endif()
if(NOT failures STREQUAL "")
  message(FATAL_ERROR "${failures}The PDF reads as:\n${text}")
endif()
