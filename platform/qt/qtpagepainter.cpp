#include "platform/qt/qtpagepainter.h"

#include "platform/qtcore/utf8.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace tw {

namespace {

// The weight from which a page font is drawn bold (the headings ask for 800).
constexpr int kBoldFrom = 600;
// QFont's stretch factors, in percent.
constexpr int kLeastStretch = 1;
constexpr int kMostStretch = 4000;

Qt::Alignment HorizontalAlignment(TextAlign align)
{
    switch (align) {
    case TextAlign::Left:
        return Qt::AlignLeft;
    case TextAlign::Center:
        return Qt::AlignHCenter;
    case TextAlign::Right:
        break;
    }
    return Qt::AlignRight;
}

} // namespace

QtPagePainter::QtPagePainter(QPainter& painter) : painter_(painter) {}

Size QtPagePainter::pageSize() const
{
    const QPaintDevice* device = painter_.device();
    return device ? Size{device->width(), device->height()} : Size{};
}

void QtPagePainter::setFont(const PageFont& font)
{
    // No family: the application's default face, as the platform supplies it.
    QFont chosen;
    chosen.setPixelSize(std::max(font.height, 1));
    chosen.setWeight(font.weight >= kBoldFrom ? QFont::Bold : QFont::Normal);
    chosen.setStretch(QFont::Unstretched);
    // Character for character, without ligatures, so that the printed text reads back as
    // the program wrote it (in a PDF viewer's search, say).
    chosen.setStyleStrategy(QFont::PreferNoShaping);
    if (font.width > 0) {
        const qreal natural = QFontMetricsF(chosen, painter_.device()).averageCharWidth();
        if (natural > 0) {
            const long stretch = std::lround(100.0 * font.width / natural);
            chosen.setStretch(
                static_cast<int>(std::clamp<long>(stretch, kLeastStretch, kMostStretch)));
        }
    }
    painter_.setFont(chosen);
}

int QtPagePainter::lineHeight() const
{
    const QFontMetrics metrics(painter_.font(), painter_.device());
    return metrics.height() + std::max(metrics.leading(), 0);
}

int QtPagePainter::drawText(Rect where, std::string_view text, TextAlign align, bool wrap)
{
    int flags = static_cast<int>(HorizontalAlignment(align) | Qt::AlignTop) | Qt::TextDontClip;
    if (wrap)
        flags |= Qt::TextWordWrap;
    QRect drawn;
    painter_.drawText(QRect(where.x, where.y, where.width, where.height), flags, FromUtf8(text),
                      &drawn);
    return drawn.height();
}

void QtPagePainter::drawFrame(Rect where)
{
    painter_.save();
    QPen pen(Qt::black);
    pen.setWidth(1);
    pen.setCosmetic(true);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    // A rectangle outline covers its right and bottom edges too: one pixel less each way
    // keeps the frame inside where.
    painter_.drawRect(
        QRect(where.x, where.y, std::max(where.width - 1, 0), std::max(where.height - 1, 0)));
    painter_.restore();
}

} // namespace tw
