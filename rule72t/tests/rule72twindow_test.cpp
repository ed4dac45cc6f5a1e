// The window on Qt's offscreen platform: drawn at 1x and 2x in a light and a dark palette,
// the form's checks, the keyboard and what the projection list writes.

#include "platform/qt/reportlistview.h"
#include "rule72t/rule72twindow.h"
#include "ui_rule72twindow.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

namespace tw::rule72t {
namespace {

QPalette DarkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
    dark.setColor(QPalette::AlternateBase, QColor(0x33, 0x33, 0x33));
    dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
    dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
    dark.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
    return dark;
}

// The IRS worked example typed into the form.
void FillWorkedExample(Rule72tWindow& window)
{
    const Ui::Rule72tWindow& form = window.form();
    form.balance->setText(QStringLiteral("400000"));
    form.born->setText(QStringLiteral("1975-03"));
    form.start->setText(QStringLiteral("2025-01"));
    form.table->setCurrentIndex(static_cast<int>(LifeTable::Single));
    form.rate->setText(QStringLiteral("4"));
}

double ShareNear(const QImage& image, const QColor& colour)
{
    qint64 near = 0;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QColor pixel = image.pixelColor(x, y);
            near += std::abs(pixel.red() - colour.red()) +
                        std::abs(pixel.green() - colour.green()) +
                        std::abs(pixel.blue() - colour.blue()) <
                    24;
        }
    }
    return static_cast<double>(near) / ((image.width() / 2) * (image.height() / 2));
}

class Rule72tWindowTest : public ::testing::Test
{
  protected:
    void TearDown() override { QApplication::setPalette(QApplication::style()->standardPalette()); }
};

TEST_F(Rule72tWindowTest, DrawsTheWorkedExampleAtOneAndTwoTimesInLightAndDark)
{
    for (const bool dark : {false, true}) {
        const QPalette palette = dark ? DarkPalette() : QApplication::style()->standardPalette();
        QApplication::setPalette(palette);
        Rule72tWindow window;
        window.resize(1100, 720);
        FillWorkedExample(window);
        ASSERT_TRUE(window.calculate());
        window.show();
        QCoreApplication::processEvents();

        const Ui::Rule72tWindow& form = window.form();
        EXPECT_EQ(form.minimumAnnual->text(), QStringLiteral("$11,049.72"));
        EXPECT_EQ(form.amortizationFactor->text(), QStringLiteral("18.9559"));
        EXPECT_EQ(form.annuitizationPerPayment->text(), QStringLiteral("$22,030.33"));
        EXPECT_TRUE(form.mayChange->text().contains(QStringLiteral("2034-09")));
        EXPECT_EQ(window.projection()->model()->rowCount(), 10);

        for (const int scale : {1, 2}) {
            SCOPED_TRACE(std::string(dark ? "dark " : "light ") + std::to_string(scale) + "x");
            QImage image(window.size() * scale, QImage::Format_ARGB32);
            image.setDevicePixelRatio(scale);
            image.fill(Qt::magenta);
            window.render(&image);
            const QString name = QStringLiteral("twrule11-%1-%2x.png")
                                     .arg(dark ? QStringLiteral("dark") : QStringLiteral("light"))
                                     .arg(scale);
            image.save(QDir::current().filePath(name));
            // The window's colour covers much of it, the palette's text colour draws the
            // labels and figures, and nothing is left unpainted.
            EXPECT_GT(ShareNear(image, palette.color(QPalette::Window)), 0.3);
            EXPECT_GT(ShareNear(image, palette.color(QPalette::WindowText)), 0.002);
            EXPECT_EQ(ShareNear(image, Qt::magenta), 0.0);
        }
    }
}

TEST_F(Rule72tWindowTest, NamesEveryControlForAccessibilityAndGivesEveryLabelItsField)
{
    Rule72tWindow window;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget) ||
                             qobject_cast<QPushButton*>(widget) || qobject_cast<QTreeView*>(widget);
        if (control && !widget->objectName().startsWith("qt_")) {
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        }
    }
    // Each field's label takes the focus to its field by its underlined letter.
    QGridLayout& fields = *window.form().fields;
    for (int row = 0; row < fields.rowCount(); ++row) {
        const auto* label = qobject_cast<QLabel*>(fields.itemAtPosition(row, 0)->widget());
        ASSERT_NE(label, nullptr) << row;
        EXPECT_TRUE(label->text().contains('&')) << label->objectName().toStdString();
        EXPECT_EQ(label->buddy(), fields.itemAtPosition(row, 1)->widget())
            << label->objectName().toStdString();
    }
}

TEST_F(Rule72tWindowTest, RefusesTheFirstWrongFieldWithItsMessageAndFocusesIt)
{
    Rule72tWindow window;
    QStringList said;
    window.setWarn([&](QWidget*, const QString& text) { said << text; });
    window.show();
    QApplication::setActiveWindow(&window);
    const Ui::Rule72tWindow& form = window.form();
    struct Case
    {
        const char* what;
        std::function<void()> change;
        QWidget* field;
        const char* says;
    };
    const Case cases[] = {
        {"rate over the cap",
         [&] {
             form.rate->setText("5.41");
             form.midTerm1->setText("4.5");
         },
         form.rate, "at most 5.40 %"},
        {"balance first",
         [&] {
             form.balance->setText("0");
             form.rate->setText("9");
         },
         form.balance, "above 0"},
        {"joint without a beneficiary",
         [&] { form.table->setCurrentIndex(static_cast<int>(LifeTable::Joint)); },
         form.beneficiaryBorn, "beneficiary's date of birth"},
        {"uniform at nine",
         [&] {
             form.born->setText("2016-05");
             form.table->setCurrentIndex(static_cast<int>(LifeTable::Uniform));
         },
         form.table, "starts at age 10"},
        {"second mid-term rate", [&] { form.midTerm2->setText("30"); }, form.midTerm2,
         "from 0 to 25"},
        {"first mid-term rate", [&] { form.midTerm1->setText("30"); }, form.midTerm1,
         "from 0 to 25"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FillWorkedExample(window);
        form.midTerm1->clear();
        form.midTerm2->clear();
        ASSERT_TRUE(window.calculate());
        c.change();
        said.clear();
        EXPECT_FALSE(window.calculate());
        ASSERT_EQ(said.size(), 1);
        EXPECT_TRUE(said.front().contains(QString::fromUtf8(c.says))) << said.front().toStdString();
        EXPECT_EQ(QApplication::focusWidget(), c.field);
        // A refused form shows no stale results.
        EXPECT_TRUE(form.minimumAnnual->text().isEmpty());
        EXPECT_EQ(window.projection()->model()->rowCount(), 0);
    }
}

TEST_F(Rule72tWindowTest, CalculatesOnEnterAndWritesThePrintoutTheCsvAndTheCopy)
{
    Rule72tWindow window;
    window.show();
    QApplication::setActiveWindow(&window);
    FillWorkedExample(window);
    const Ui::Rule72tWindow& form = window.form();
    form.perYear->setCurrentIndex(2); // 12 a year
    QTest::keyClick(form.rate, Qt::Key_Return);
    EXPECT_EQ(form.minimumPerPayment->text(), QStringLiteral("$920.81"));

    const QString dir = QDir::current().filePath(QStringLiteral("rule72t-window-files"));
    QDir().mkpath(dir);
    const QString pdf = dir + QStringLiteral("/printout.pdf");
    QFile::remove(pdf);
    ASSERT_TRUE(window.savePdf(pdf));
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/Count 2")) << "a title page and one page of ten years";

    // The list's own menu exports and copies the rows the list shows.
    const QString csv = dir + QStringLiteral("/projection.csv");
    window.setFileChooser(
        [&](QWidget*, const QString&, const QString&, const QString&) { return csv; });
    ReportListView& list = *window.projection();
    auto choose = [&list](const char* text) {
        const std::unique_ptr<QMenu> menu(list.createMenu());
        for (QAction* action : menu->actions()) {
            if (action->text() == QString::fromUtf8(text))
                action->trigger();
        }
    };
    choose("Export CSV\u2026");
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = exported.readAll().split('\n');
    ASSERT_EQ(lines.size(), 12); // titles, ten years, and the empty rest after the last CRLF
    EXPECT_EQ(lines[1], QByteArray("1,2025-01,50,11049.72,388950.28,21101.63,378898.37,"
                                   "22030.33,377969.67\r"));

    for (const int row : {1, 2})
        list.selectionModel()->select(list.model()->index(row, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    choose("Copy");
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(copied.size(), 4); // titles, the two rows, and the empty rest after the last one
    EXPECT_TRUE(copied[1].startsWith(QStringLiteral("2\t2026-01\t51\t11018.42\t")))
        << copied[1].toStdString();
    // The label's underlined letter reaches the list.
    EXPECT_EQ(window.form().projectionLabel->buddy(), &list);
}

} // namespace
} // namespace tw::rule72t
