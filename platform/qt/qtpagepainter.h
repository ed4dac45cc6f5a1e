#pragma once
#include "platform/printing.h"

class QPainter;

namespace tw {

// The page painter over a QPainter that is active on a printer, a PDF file or a preview.
// Sizes are the device's pixels, measured from the top left of its printable area.
//
// A font's character width has no direct match in Qt: the font is stretched horizontally so
// that its average character comes out that wide (the height alone gives wide characters
// that the page's ten columns could not hold).
class QtPagePainter : public PagePainter
{
  public:
    explicit QtPagePainter(QPainter& painter);

    Size pageSize() const override;
    void setFont(const PageFont& font) override;
    int lineHeight() const override;
    int drawText(Rect where, std::string_view text, TextAlign align, bool wrap) override;
    void drawFrame(Rect where) override;

  private:
    QPainter& painter_;
};

} // namespace tw
