#include "platform/qt/numbercharacters.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

namespace tw {

namespace {

constexpr int kHintMilliseconds = 5000;

// The hint below a number field. A tooltip would vanish with the next key press, and a user
// who types "1,5" goes on typing: the hint must still be there when the field shows 15. It
// takes no focus and goes away after a few seconds or when the field is left.
class RefusalHint final : public QLabel
{
  public:
    explicit RefusalHint(QLineEdit& field)
        : QLabel(NumberFieldHint(), &field, Qt::ToolTip | Qt::BypassGraphicsProxyWidget),
          field_(field)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setPalette(QToolTip::palette());
        setFont(QToolTip::font());
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setAutoFillBackground(true);
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setMargin(3);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, &QWidget::hide);
        field.installEventFilter(this);
    }

    void showAtField()
    {
        adjustSize();
        move(field_.mapToGlobal(QPoint(0, field_.height() + 1)));
        show();
        raise();
        timer_.start(kHintMilliseconds);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &field_ && isVisible()) {
            switch (event->type()) {
            case QEvent::FocusOut:
            case QEvent::Hide:
            case QEvent::Move:
            case QEvent::Resize:
                hide();
                break;
            default:
                break;
            }
        }
        return QLabel::eventFilter(watched, event);
    }

  private:
    QLineEdit& field_;
    QTimer timer_;
};

} // namespace

bool MayBeInNumber(QChar c)
{
    // ASCII digits only: the reading does not know other scripts' digits either.
    const char16_t code = c.unicode();
    return (code >= u'0' && code <= u'9') || code == u'+' || code == u'-' || code == u'.' ||
           code == u'e' || code == u'E' || code == u' ' || code == u'\t';
}

QString NumberFieldHint()
{
    return QStringLiteral("Type plain numbers, with a point for decimals: 250000 or 6.5");
}

QValidator::State NumberCharacters::validate(QString& input, int& /*position*/) const
{
    return std::all_of(input.cbegin(), input.cend(), MayBeInNumber) ? Acceptable : Invalid;
}

void MakeNumberField(QLineEdit& edit)
{
    edit.setValidator(new NumberCharacters(&edit));
    auto* hint = new RefusalHint(edit);
    QObject::connect(&edit, &QLineEdit::inputRejected, hint, [&edit, hint] {
        // A full field refuses more text for its length, which the hint would not explain.
        if (edit.text().size() < edit.maxLength())
            hint->showAtField();
    });
}

QLabel* NumberFieldHintShown(const QLineEdit& edit)
{
    for (QLabel* label : edit.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->isVisible() && label->text() == NumberFieldHint())
            return label;
    return nullptr;
}

} // namespace tw
