#pragma once
// The chart layer: reading the suite's graph files, the chart model (curves, ranges, ticks,
// money labels, the break-even point) and the view state of a zoomed chart. Plain C++ with no
// toolkit in it; the drawing over QPainter (charts/chartpainter.h) and the programs in graphs/
// sit above it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// Both graph files share one layout: "1", three title lines that the suite fills with
// "Dummy", an extent (months analysed, or periods + 2), the number of curves and their names,
// then one point per row (a "0.0" line for each curve, then the x value and one value per
// curve on one line) and "Done" twice. The title lines and the "0.0" lines carry nothing the
// suite ever sets, so they are read as placeholders: the titles as any text, the "0.0" lines
// as any number.
struct GraphFile
{
    double extent = 0;                  // line 5 as written
    std::vector<std::string> names;     // one per curve, in file order
    std::vector<double> x;              // the first number of each data line, increasing
    std::vector<std::vector<double>> y; // y[curve][point]
};

struct ReadError
{
    int line = 0; // counted from 1; 0 when the fault is the file's as a whole
    std::string what;
};

struct GraphRead
{
    std::optional<GraphFile> graph; // set when the file was read
    ReadError error;                // set otherwise
};

// The suite writes at most 151 points (50 years every four months) and 102 trade-off rows; a
// file that announces more than this is refused before its rows are read, so that no file can
// make the reading or the drawing take long.
inline constexpr std::size_t kMaxGraphPoints = 100000;
inline constexpr std::size_t kMaxGraphLineLength = 4096;
inline constexpr std::size_t kMaxGraphFileBytes = std::size_t{64} << 20;

// "ref.tmp" (the refinance graph): exactly two curves, line 5 the months since refinancing
// (a whole number), one point for month 0 and one for every fourth month after it. Each
// point's month is a whole number from 0 to line 5's months.
GraphRead ReadRefFile(std::string_view text);

// "trade.tmp" (the trade-off graph): zero to three curves, line 5 the periods + 2, one point
// per period r = 0 … n + 1 where n is the whole periods.
GraphRead ReadTradeFile(std::string_view text);

using GraphReader = GraphRead (*)(std::string_view);

// The text of the file at path; false with an error on line 0 when it cannot be read or is
// larger than kMaxGraphFileBytes.
bool ReadGraphText(const std::string& path, std::string& text, ReadError& error);

// ReadGraphText, then reader.
GraphRead LoadGraphFile(const std::string& path, GraphReader reader);

// The message shown to the user: "ref.tmp: line 5: …", or "ref.tmp: …" for line 0.
std::string DescribeReadError(const ReadError& error, std::string_view fileName);

} // namespace tw
