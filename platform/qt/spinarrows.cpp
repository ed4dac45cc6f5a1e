#include "platform/qt/spinarrows.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>

namespace tw {

namespace {

constexpr int kArrowWidth = 16;

} // namespace

SpinArrows::SpinArrows(QWidget* buddy, int upper, int lower, int position,
                       std::function<void(int)> moved)
    : QWidget(buddy), buddy_(buddy), upper_(upper), lower_(lower),
      position_(std::clamp(position, std::min(upper, lower), std::max(upper, lower))),
      moved_(std::move(moved)), up_(new QToolButton(this)), down_(new QToolButton(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* arrow : {up_, down_}) {
        arrow->setArrowType(arrow == up_ ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        // The field keeps the keyboard focus, so clicking an arrow is not leaving the field.
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(arrow);
    }
    // Named after the field, which its label names already by the time arrows are attached.
    const QString field = buddy->accessibleName();
    up_->setAccessibleName(field.isEmpty() ? QStringLiteral("Up") : field + QStringLiteral(": up"));
    down_->setAccessibleName(field.isEmpty() ? QStringLiteral("Down")
                                             : field + QStringLiteral(": down"));
    connect(up_, &QToolButton::clicked, this, [this] { stepToward(upper_); });
    connect(down_, &QToolButton::clicked, this, [this] { stepToward(lower_); });

    if (auto* edit = qobject_cast<QLineEdit*>(buddy_))
        edit->setTextMargins(0, 0, kArrowWidth, 0);
    buddy_->installEventFilter(this);
    place();
    show();
}

bool SpinArrows::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy_) {
        if (event->type() == QEvent::Resize) {
            place();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepToward(key == Qt::Key_Up ? upper_ : lower_);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SpinArrows::stepToward(int end)
{
    takePositionFromBuddy();
    const int next = position_ + (end > position_) - (end < position_);
    if (next == position_)
        return;
    position_ = next;
    if (auto* edit = qobject_cast<QLineEdit*>(buddy_))
        edit->setText(QString::number(position_));
    if (moved_)
        moved_(position_);
}

void SpinArrows::takePositionFromBuddy()
{
    const auto* edit = qobject_cast<const QLineEdit*>(buddy_);
    if (!edit)
        return;
    const QByteArray text = edit->text().trimmed().toLatin1();
    const char* first = text.constData();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    int value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || first == last)
        return;
    if (value < std::min(upper_, lower_) || value > std::max(upper_, lower_))
        return;
    position_ = value;
}

void SpinArrows::place()
{
    const int inset = buddy_->inherits("QLineEdit") ? 1 : 0;
    setGeometry(buddy_->width() - kArrowWidth - inset, inset, kArrowWidth,
                std::max(buddy_->height() - 2 * inset, 2));
}

} // namespace tw
