# Writes the life tables and the mortality rates into a C++ source, so that the program
# carries its tables and reads no file when it runs. Run at build time:
#   cmake -DDATA=dir -DOUTPUT=file.cpp -P embedtables.cmake
# Each CSV file has a header line and rows of plain decimal numbers; anything else stops the
# build with the file's name rather than compiling a table that is silently short.

function(tw_table_rows file columns out)
  file(READ ${DATA}/${file} text)
  # The header line goes. (A REGEX REPLACE anchored with ^ would match at every line.)
  string(FIND "${text}" "\n" header_end)
  math(EXPR header_end "${header_end} + 1")
  string(SUBSTRING "${text}" ${header_end} -1 text)
  if(columns EQUAL 2)
    string(REGEX REPLACE "([0-9]+),([0-9.]+)\r?\n" "    {\\1, \\2},\n" rows "${text}")
  else()
    string(REGEX REPLACE "([0-9]+),([0-9]+),([0-9.]+)\r?\n" "    {\\1, \\2, \\3},\n" rows
      "${text}")
  endif()
  string(REGEX REPLACE "    {[0-9., ]+},\n" "" rest "${rows}")
  if(rows STREQUAL "" OR NOT rest STREQUAL "")
    message(FATAL_ERROR "${file}: a line is not ${columns} plain numbers")
  endif()
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()

tw_table_rows(single_life_2022.csv 2 single)
tw_table_rows(uniform_lifetime_2022.csv 2 uniform)
tw_table_rows(mortality_rates_2022.csv 2 mortality)
tw_table_rows(joint_last_survivor_2022.csv 3 joint)

file(WRITE ${OUTPUT}.part "// Made at build time by rule72t/embedtables.cmake from rule72t/data/*.csv.
#include \"rule72t/tabledata.h\"

namespace tw::rule72t {

const AgeValue kSingleLifeRows[] = {
${single}};
const AgeValue kUniformLifetimeRows[] = {
${uniform}};
const AgeValue kMortalityRows[] = {
${mortality}};
const AgesValue kJointRows[] = {
${joint}};

std::span<const AgeValue> SingleLifeRows() { return kSingleLifeRows; }
std::span<const AgeValue> UniformLifetimeRows() { return kUniformLifetimeRows; }
std::span<const AgeValue> MortalityRows() { return kMortalityRows; }
std::span<const AgesValue> JointRows() { return kJointRows; }

} // namespace tw::rule72t
")
file(COPY_FILE ${OUTPUT}.part ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.part)
