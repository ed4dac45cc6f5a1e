#include "charts/graphfile.h"

#include "finance/words.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>

namespace tw {

namespace {

// What tells the two files apart: how many curves they may have, what line 5 means and how
// many points it calls for.
struct GraphFormat
{
    std::size_t minCurves;
    std::size_t maxCurves;
    const char* curvesText; // "2 curves", "0 to 3 options"
    const char* xName;      // "month", "period"
    const char* extentText; // what line 5 holds
    // The allowed point counts for an extent; false when the extent is not one the suite
    // writes.
    bool (*points)(double extent, std::size_t& fewest, std::size_t& most);
    // Whether x must be a whole number from 0 to the extent (months), or may be any number.
    bool wholeX;
};

class LineReader
{
  public:
    explicit LineReader(std::string_view text) : text_(text) {}

    int lineNumber() const { return line_; }
    bool atEnd() const { return position_ >= text_.size(); }

    // The next line without its line end ("\n" or "\r\n"); nothing at the end of the text.
    std::optional<std::string_view> next()
    {
        if (atEnd())
            return std::nullopt;
        const std::size_t end = text_.find('\n', position_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        std::string_view line = text_.substr(position_, stop - position_);
        position_ = end == std::string_view::npos ? text_.size() : end + 1;
        ++line_;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        return line;
    }

    std::optional<std::string_view> peek() const
    {
        LineReader copy = *this;
        return copy.next();
    }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 0;
};

// A short, printable rendering of what was found, for the messages.
std::string Quote(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    std::string shown = "\"";
    for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        shown += (c < 0x20 || c == 0x7f) ? '?' : static_cast<char>(c);
    }
    if (text.size() > kShown)
        shown += "…";
    shown += '"';
    return shown;
}

// The writer prints "%f": digits, a point, a sign. from_chars reads these the same in every
// locale; it also takes "inf" and "nan", which a trade-off whose values overflow a float does
// print, and which cannot be drawn.
enum class NumberStatus { Ok, NotANumber, NaN, TooLarge, TooSmall };

// Beyond a float's range, which is all the suite writes: larger values would only make the
// chart's arithmetic overflow.
constexpr double kLargestValue = 1e39;

// A number beyond a double's range either way: nearer 0 than the smallest double (1e-400) or
// beyond the largest (1e999). A long double holds every number a line can spell out in its
// digits; past its range the exponent's sign tells, since a line is too short for digits
// that make up for it.
NumberStatus OutOfRange(std::string_view word)
{
    long double wide = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), wide);
    if (error == std::errc() && end == word.data() + word.size())
        return std::fabs(wide) < 1 ? NumberStatus::TooSmall : NumberStatus::TooLarge;
    const std::size_t exponent = word.find_first_of("eE");
    return exponent != std::string_view::npos && exponent + 1 < word.size() &&
                   word[exponent + 1] == '-'
               ? NumberStatus::TooSmall
               : NumberStatus::TooLarge;
}

NumberStatus ParseNumber(std::string_view word, double& value)
{
    const char* first = word.data();
    const char* last = word.data() + word.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range && end == last)
        return OutOfRange(word);
    if (error != std::errc() || end != last)
        return NumberStatus::NotANumber;
    if (std::isnan(value))
        return NumberStatus::NaN;
    return std::fabs(value) <= kLargestValue ? NumberStatus::Ok : NumberStatus::TooLarge;
}

class GraphParser
{
  public:
    GraphParser(std::string_view text, const GraphFormat& format) : lines_(text), format_(format) {}

    GraphRead read()
    {
        GraphRead result;
        if (lines_.atEnd()) {
            result.error = {0, "the file is empty"};
            return result;
        }
        GraphFile graph;
        if (readHead(graph) && readRows(graph) && readEnd(graph))
            result.graph = std::move(graph);
        else
            result.error = error_;
        return result;
    }

  private:
    bool fail(int line, std::string what)
    {
        error_ = {line, std::move(what)};
        return false;
    }

    // The next line, or an error naming the line that is missing; control characters other
    // than a tab mean the file is not text.
    bool line(std::string_view& out, const char* expected)
    {
        const std::optional<std::string_view> next = lines_.next();
        if (!next)
            return fail(lines_.lineNumber() + 1,
                        std::string("the file is cut off here; expected ") + expected);
        if (next->size() > kMaxGraphLineLength)
            return fail(lines_.lineNumber(), "the line is longer than " +
                                                 std::to_string(kMaxGraphLineLength) +
                                                 " characters");
        for (const char c : *next) {
            const auto u = static_cast<unsigned char>(c);
            if ((u < 0x20 && c != '\t') || u == 0x7f)
                return fail(lines_.lineNumber(), "the line holds binary data, not text");
        }
        out = *next;
        return true;
    }

    bool number(std::string_view text, double& value, const char* expected)
    {
        const std::string_view word = TrimBlanks(text);
        switch (ParseNumber(word, value)) {
        case NumberStatus::Ok:
            return true;
        case NumberStatus::TooLarge:
            return fail(lines_.lineNumber(), Quote(word) + " is too large a number to draw");
        case NumberStatus::TooSmall:
            return fail(lines_.lineNumber(),
                        Quote(word) + " is too small a number to hold (nearer 0 than any double)");
        case NumberStatus::NaN:
            return fail(lines_.lineNumber(), Quote(word) + " is not a number (NaN)");
        case NumberStatus::NotANumber:
            break;
        }
        if (word.empty())
            return fail(lines_.lineNumber(),
                        std::string("expected ") + expected + ", found an empty line");
        return fail(lines_.lineNumber(),
                    std::string("expected ") + expected + ", found " + Quote(word));
    }

    bool readHead(GraphFile& graph)
    {
        std::string_view text;
        double one = 0;
        if (!line(text, "\"1\"") || !number(text, one, "\"1\" (one graph)"))
            return false;
        if (one != 1)
            return fail(lines_.lineNumber(), "expected \"1\" (one graph), found " + Quote(text));
        for (int i = 0; i < 3; ++i) {
            if (!line(text, "a title line (\"Dummy\")"))
                return false;
        }

        if (!line(text, "the extent") || !number(text, graph.extent, "the extent"))
            return false;
        if (!format_.points(graph.extent, fewest_, most_))
            return fail(lines_.lineNumber(),
                        std::string("expected ") + format_.extentText + ", found " + Quote(text));
        if (fewest_ > kMaxGraphPoints)
            return fail(lines_.lineNumber(), "the file announces " + std::to_string(fewest_) +
                                                 " points, more than the " +
                                                 std::to_string(kMaxGraphPoints) +
                                                 " a graph can hold");
        extentLine_ = lines_.lineNumber();

        if (!line(text, "the number of curves"))
            return false;
        const std::string_view count = TrimBlanks(text);
        std::size_t curves = 0;
        const auto [end, error] =
            std::from_chars(count.data(), count.data() + count.size(), curves);
        if (count.empty() || error != std::errc() || end != count.data() + count.size())
            return fail(lines_.lineNumber(),
                        "expected the number of curves, found " + Quote(count));
        if (curves < format_.minCurves || curves > format_.maxCurves)
            return fail(lines_.lineNumber(),
                        std::to_string(curves) + " curves; this graph has " + format_.curvesText);

        for (std::size_t i = 0; i < curves; ++i) {
            if (!line(text, "a curve name"))
                return false;
            if (text.empty())
                return fail(lines_.lineNumber(), "the curve name is empty");
            graph.names.emplace_back(text);
        }
        graph.y.resize(curves);
        return true;
    }

    static bool IsEnd(std::string_view text) { return TrimBlanks(text) == "Done"; }

    bool readRows(GraphFile& graph)
    {
        const std::size_t curves = graph.names.size();
        const std::string xName = format_.xName;
        const std::string dataText =
            "a data line (the " + xName + " and " + std::to_string(curves) + " values)";
        for (;;) {
            const std::optional<std::string_view> ahead = lines_.peek();
            if (ahead && IsEnd(*ahead))
                return true;
            if (graph.x.size() >= most_)
                return fail(lines_.lineNumber() + 1,
                            "more points than line " + std::to_string(extentLine_) +
                                " announces (" + std::to_string(most_) + ")");
            std::string_view text;
            for (std::size_t i = 0; i < curves; ++i) {
                const char* expected = i == 0 ? "\"0.0\" or \"Done\"" : "\"0.0\"";
                double ignored = 0;
                if (!line(text, expected) || !number(text, ignored, expected))
                    return false;
            }
            if (!line(text, dataText.c_str()))
                return false;
            const std::vector<std::string_view> words = SplitAtBlanks(text);
            if (words.size() != curves + 1)
                return fail(lines_.lineNumber(), "expected " + std::to_string(curves + 1) +
                                                     " numbers (the " + xName + " and " +
                                                     std::to_string(curves) + " values), found " +
                                                     std::to_string(words.size()));
            double x = 0;
            if (!number(words[0], x, ("the " + xName).c_str()))
                return false;
            if (format_.wholeX && !(x >= 0 && x <= graph.extent && x == std::floor(x)))
                return fail(lines_.lineNumber(),
                            "the " + xName + " " + Quote(words[0]) +
                                " is not a whole number from 0 to " +
                                std::to_string(static_cast<long long>(graph.extent)) + " (line " +
                                std::to_string(extentLine_) + ")");
            if (!graph.x.empty() && !(x > graph.x.back()))
                return fail(lines_.lineNumber(), "the " + xName + " " + std::string(words[0]) +
                                                     " does not come after the one before it");
            graph.x.push_back(x);
            for (std::size_t k = 0; k < curves; ++k) {
                double value = 0;
                if (!number(words[k + 1], value, "a value"))
                    return false;
                graph.y[k].push_back(value);
            }
        }
    }

    bool readEnd(const GraphFile& graph)
    {
        std::string_view text;
        if (!line(text, "\"Done\"") || !IsEnd(text))
            return fail(lines_.lineNumber(), "expected \"Done\", found " + Quote(text));
        const int endLine = lines_.lineNumber();
        if (!line(text, "a second \"Done\""))
            return false;
        if (!IsEnd(text))
            return fail(lines_.lineNumber(), "expected a second \"Done\", found " + Quote(text));
        while (const std::optional<std::string_view> rest = lines_.next()) {
            if (!TrimBlanks(*rest).empty())
                return fail(lines_.lineNumber(),
                            "text after the end of the graph: " + Quote(*rest));
        }
        const std::size_t points = graph.x.size();
        if (points < fewest_ || points > most_) {
            std::string wanted = std::to_string(fewest_);
            if (most_ != fewest_)
                wanted += " or " + std::to_string(most_);
            return fail(endLine, std::to_string(points) + " points, but line " +
                                     std::to_string(extentLine_) + " announces " + wanted);
        }
        return true;
    }

    LineReader lines_;
    const GraphFormat& format_;
    ReadError error_;
    std::size_t fewest_ = 0;
    std::size_t most_ = 0;
    int extentLine_ = 0;
};

// Point counts are worked out in double and held to this before they become integers, so that
// no extent, however large, overflows one; the count is still far beyond the limit.
constexpr double kBeyondLimit = 1e15;

bool RefPoints(double months, std::size_t& fewest, std::size_t& most)
{
    if (months < 0 || months != std::floor(months))
        return false;
    // Month 0, then every fourth month up to the end of the analysis.
    const double points = std::min(std::floor(months / 4) + 1, kBeyondLimit);
    fewest = most = static_cast<std::size_t>(points);
    return true;
}

bool TradePoints(double extent, std::size_t& fewest, std::size_t& most)
{
    if (extent < 2)
        return false;
    const double limited = std::min(extent, kBeyondLimit);
    // Rows r = 0 … n + 1 with n = trunc(periods) give floor(periods + 2) rows. The writer
    // rounds periods + 2 to six decimals, which can carry a count just below a whole number up
    // to it (3.9999995 periods print as 6.000000 but give 5 rows), so a whole extent also
    // allows one row fewer.
    most = static_cast<std::size_t>(std::floor(limited));
    fewest = limited == std::floor(limited) ? most - 1 : most;
    return true;
}

const GraphFormat kRefFormat{2,
                             2,
                             "2 curves (the existing and the refinanced mortgage)",
                             "month",
                             "the months since refinancing (a whole number)",
                             RefPoints,
                             true};

const GraphFormat kTradeFormat{
    0, 3, "0 to 3 options", "period", "the number of periods + 2 (at least 2)", TradePoints, false};

ReadError TooLarge()
{
    return {0, "the file is larger than " + std::to_string(kMaxGraphFileBytes >> 20) +
                   " MB, far more than a graph file holds"};
}

} // namespace

GraphRead ReadRefFile(std::string_view text)
{
    return GraphParser(text, kRefFormat).read();
}

GraphRead ReadTradeFile(std::string_view text)
{
    return GraphParser(text, kTradeFormat).read();
}

bool ReadGraphText(const std::string& path, std::string& text, ReadError& error)
{
    text.clear();
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0) {
        error = {0, std::string("cannot open the file: ") + std::strerror(errno)};
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = {0, "not a file"};
        return false;
    }
    if (static_cast<std::size_t>(info.st_size) > kMaxGraphFileBytes) {
        error = TooLarge();
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = {0, std::string("cannot open the file: ") + std::strerror(errno)};
        return false;
    }
    // Read to the end, whatever stat said: the file may be growing while it is read.
    text.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[1 << 16];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxGraphFileBytes) {
            error = TooLarge();
            return false;
        }
    }
    if (in.bad()) {
        error = {0, "cannot read the file"};
        return false;
    }
    return true;
}

GraphRead LoadGraphFile(const std::string& path, GraphReader reader)
{
    std::string text;
    GraphRead result;
    if (!ReadGraphText(path, text, result.error))
        return result;
    return reader(text);
}

std::string DescribeReadError(const ReadError& error, std::string_view fileName)
{
    std::string text(fileName);
    if (error.line > 0)
        text += ": line " + std::to_string(error.line);
    text += ": " + error.what;
    return text;
}

} // namespace tw
