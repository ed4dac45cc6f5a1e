#include "platform/qt/fontfitting.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include <algorithm>
#include <map>
#include <vector>

namespace tw {

void WidenFixedLabels(QWidget& dialog)
{
    std::map<int, std::vector<QLabel*>> byWidth;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->wordWrap() && label->minimumWidth() > 0 &&
            label->minimumWidth() == label->maximumWidth())
            byWidth[label->minimumWidth()].push_back(label);
    }
    for (auto& [width, labels] : byWidth) {
        int needed = width;
        for (const QLabel* label : labels)
            needed = std::max(needed, label->sizeHint().width());
        if (needed > width) {
            for (QLabel* label : labels)
                label->setFixedWidth(needed);
        }
    }
}

void KeepButtonTextsWhole(QWidget& dialog)
{
    if (!dialog.layout())
        return; // the form places the buttons itself (fittedSize)
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        const QFontMetrics metrics(button->font());
        const int needed = metrics.horizontalAdvance(button->text()) + metrics.height();
        if (button->minimumWidth() < needed)
            button->setMinimumWidth(needed);
    }
}

} // namespace tw
