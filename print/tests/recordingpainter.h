#pragma once
#include "platform/printing.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A page painter that draws nothing and records everything. Its fonts have a line height of
// the height and an eighth; its glyphs are all glyphFactor times the font's character width,
// blanks included, and wrapped text breaks between words only, a word wider than the
// rectangle keeping a line of its own.
class RecordingPainter : public PagePainter
{
  public:
    struct Text
    {
        Rect where;
        std::string text;
        TextAlign align = TextAlign::Left;
        bool wrap = false;
        PageFont font;
        int drawnHeight = 0;
    };

    explicit RecordingPainter(Size page, double glyphFactor = 1.0)
        : page_(page), glyphFactor_(glyphFactor)
    {
    }

    Size pageSize() const override { return page_; }
    void setFont(const PageFont& font) override
    {
        font_ = font;
        fonts.push_back(font);
    }
    int lineHeight() const override { return font_.height + font_.height / 8; }
    int drawText(Rect where, std::string_view text, TextAlign align, bool wrap) override
    {
        const int height = (wrap ? WrappedLines(text, where.width) : 1) * lineHeight();
        texts.push_back({where, std::string(text), align, wrap, font_, height});
        return height;
    }
    void drawFrame(Rect where) override { frames.push_back(where); }

    bool empty() const { return fonts.empty() && texts.empty() && frames.empty(); }

    std::vector<PageFont> fonts;
    std::vector<Text> texts;
    std::vector<Rect> frames;

  private:
    int WrappedLines(std::string_view text, int width) const
    {
        const double glyph = font_.width * glyphFactor_;
        int lines = 1;
        double used = 0;
        std::size_t pos = 0;
        while (pos <= text.size()) {
            std::size_t end = text.find(' ', pos);
            if (end == std::string_view::npos)
                end = text.size();
            const double word = static_cast<double>(end - pos) * glyph;
            if (used > 0 && used + glyph + word > width) {
                ++lines;
                used = word;
            } else {
                used += (used > 0 ? glyph : 0) + word;
            }
            pos = end + 1;
        }
        return lines;
    }

    Size page_;
    double glyphFactor_;
    PageFont font_;
};

} // namespace tw
