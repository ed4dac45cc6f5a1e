// The calculators' Designer files, read as plain XML: every control a form addresses is
// there with its id and kind, results are read-only, and the texts the forms show are the
// system's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct UiWidget
{
    std::string className;
    std::string name;
    int parent = -1; // index of the enclosing widget, -1 for the top level
    int id = 0;      // the controlId property, 0 when absent
    std::map<std::string, std::string> properties; // name → the value's text
};

struct UiFile
{
    std::string topClass; // the <class> element
    std::vector<UiWidget> widgets;
    std::vector<std::string> strings; // every <string> text, unescaped

    const UiWidget* control(int id) const
    {
        for (const UiWidget& w : widgets)
            if (w.id == id)
                return &w;
        return nullptr;
    }
};

std::string Unescape(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + 1))
            text.replace(at, std::string(entity).size(), plain);
    return text;
}

std::string Attribute(const std::string& attributes, const std::string& name)
{
    const std::regex pattern(name + "=\"([^\"]*)\"");
    std::smatch match;
    return std::regex_search(attributes, match, pattern) ? match[1].str() : std::string();
}

// Enough of XML for Designer files: elements, attributes and text, no comments inside.
UiFile ParseUi(const std::string& xml)
{
    UiFile file;
    const std::regex tag(R"(<(/?)([A-Za-z_][\w.-]*)([^>]*?)(/?)>)");
    std::vector<std::string> elements; // open element names
    std::vector<int> widgetStack;      // open widgets
    std::string property;              // name of the property being read
    std::size_t textStart = 0;

    for (auto it = std::sregex_iterator(xml.begin(), xml.end(), tag); it != std::sregex_iterator();
         ++it) {
        const std::smatch& m = *it;
        const bool closing = m[1] == "/";
        const std::string element = m[2];
        const std::string attributes = m[3];
        const bool empty = m[4] == "/";
        const std::string text =
            Unescape(xml.substr(textStart, static_cast<std::size_t>(m.position(0)) - textStart));
        textStart = static_cast<std::size_t>(m.position(0) + m.length(0));

        if (closing) {
            if (element == "class" && elements.size() == 2)
                file.topClass = text;
            if (element == "string")
                file.strings.push_back(text);
            if (!widgetStack.empty() && !property.empty() &&
                (element == "string" || element == "number" || element == "bool" ||
                 element == "enum")) {
                UiWidget& w = file.widgets[static_cast<std::size_t>(widgetStack.back())];
                w.properties[property] = text;
                if (property == "controlId")
                    w.id = std::stoi(text);
            }
            if (element == "property")
                property.clear();
            if (element == "widget")
                widgetStack.pop_back();
            if (!elements.empty())
                elements.pop_back();
            continue;
        }
        if (element == "widget") {
            UiWidget w;
            w.className = Attribute(attributes, "class");
            w.name = Attribute(attributes, "name");
            w.parent = widgetStack.empty() ? -1 : widgetStack.back();
            file.widgets.push_back(w);
            widgetStack.push_back(static_cast<int>(file.widgets.size()) - 1);
        }
        // Properties of the widget itself, not of a layout inside it.
        if (element == "property" && !elements.empty() && elements.back() == "widget")
            property = Attribute(attributes, "name");
        if (!empty)
            elements.push_back(element);
    }
    return file;
}

UiFile LoadUi(const std::string& name)
{
    std::ifstream in(std::string(TW_RESOURCE_DIR) + "/" + name + ".ui");
    std::ostringstream text;
    text << in.rdbuf();
    return ParseUi(text.str());
}

struct DialogCase
{
    const char* name;
    const char* title;
    std::map<int, const char*> controls; // id → widget class
    std::set<int> results;               // read-only among them
    std::vector<const char*> texts;      // labels, groups and buttons that must appear
};

const DialogCase kDialogs[] = {
    {"inflate",
     "Inflation Calculator",
     {{101, "QLineEdit"},
      {104, "QLineEdit"},
      {102, "QLineEdit"},
      {103, "QLineEdit"},
      {105, "QLineEdit"},
      {106, "QPushButton"},
      {107, "QPushButton"}},
     {105},
     {"Start Age", "End Age", "Start Age Amount", "Inflation Rate", "%", "Inflated Amount", "OK",
      "Calculate"}},
    {"taxinf",
     "Taxes, Inflation and Your Investment",
     {{10, "QLineEdit"},
      {11, "QLineEdit"},
      {12, "QLineEdit"},
      {13, "QLineEdit"},
      {14, "QLineEdit"},
      {15, "QLineEdit"},
      {16, "QLineEdit"},
      {17, "QLineEdit"},
      {18, "QLineEdit"},
      {19, "QLineEdit"},
      {20, "QLineEdit"},
      {21, "QPushButton"},
      {22, "QPushButton"},
      {23, "QPushButton"},
      {24, "QPushButton"}},
     {15, 16, 17, 18, 19, 20},
     {"Amount invested",
      "Number of years amount is invested",
      "Effective yearly rate of return on investment",
      "Calculate Effective Yearly Rate",
      "Rate at which investment is taxed",
      "Estimated yearly inflation rate",
      "Analysis",
      "At the end of",
      "years, taxed at a yearly rate of",
      "your investment will be worth",
      "At a yearly inflation",
      "rate of",
      "this amounts to",
      "in today's",
      "purchasing power.  It also represents a",
      "effective",
      "yearly rate of return on your investment.",
      "OK",
      "Calculate",
      "Help"}},
    {"effective",
     "Calculate Effective Yearly Rate",
     {{10, "QLineEdit"},
      {11, "QRadioButton"},
      {12, "QRadioButton"},
      {13, "QRadioButton"},
      {14, "QRadioButton"},
      {15, "QRadioButton"},
      {16, "QLineEdit"},
      {17, "QLineEdit"},
      {1, "QPushButton"},
      {2, "QPushButton"},
      {3, "QPushButton"}},
     {17},
     {"Nominal Rate", "Daily", "Monthly", "Quarterly", "Semiannually",
      "Other - enter number of compoundings per year", "Effective Yearly Rate",
      "Interest Compounded", "OK", "Calculate", "Help"}},
    {"ccard",
     "Credit Card Debt",
     {{104, "QLineEdit"},
      {105, "QLineEdit"},
      {110, "QLineEdit"},
      {113, "QLineEdit"},
      {114, "QLineEdit"},
      {106, "QLineEdit"},
      {115, "QLineEdit"},
      {111, "QPushButton"},
      {107, "QPushButton"},
      {109, "QPushButton"}},
     {114, 106, 115},
     {"Balance", "Rate", "Monthly Payments", "Monthly Purchases", " Results", "Months", "Years",
      "Total Interest", "Calculate", "OK", "Help"}},
    {"trade",
     "Trade-Off Analysis",
     {{901, "QLineEdit"},   {902, "QLineEdit"},  {903, "QLineEdit"},   {101, "QLineEdit"},
      {102, "QLineEdit"},   {103, "QLineEdit"},  {201, "QLineEdit"},   {202, "QLineEdit"},
      {203, "QLineEdit"},   {301, "QLineEdit"},  {302, "QLineEdit"},   {303, "QLineEdit"},
      {401, "QLineEdit"},   {402, "QLineEdit"},  {403, "QLineEdit"},   {601, "QLineEdit"},
      {950, "QLineEdit"},   {951, "QLineEdit"},  {952, "QLineEdit"},   {108, "QLineEdit"},
      {109, "QLineEdit"},   {110, "QLineEdit"},  {501, "QPushButton"}, {104, "QPushButton"},
      {502, "QPushButton"}, {503, "QPushButton"}},
     {950, 951, 952, 108, 109, 110},
     {"Option 1", "Option 2", "Option 3", "Option Name", "Outgoing", "Fixed Cost",
      "Cost per Period", "Incoming", "Fixed Amount", "Income per Period", "End Amount",
      "No of Periods", "Differences", "OK", "Graph", "Calculate", "Help"}},
};

TEST(DialogFiles, HoldEveryControlTheFormAddresses)
{
    for (const DialogCase& dialog : kDialogs) {
        SCOPED_TRACE(dialog.name);
        const UiFile file = LoadUi(dialog.name);
        ASSERT_FALSE(file.widgets.empty());
        EXPECT_EQ(file.topClass, dialog.name);
        const UiWidget& top = file.widgets.front();
        EXPECT_EQ(top.className, "QDialog");
        EXPECT_EQ(top.name, dialog.name);
        EXPECT_EQ(top.properties.at("windowTitle"), dialog.title);
        EXPECT_EQ(top.properties.count("closeBox") ? top.properties.at("closeBox") : "false",
                  "false");

        std::set<int> seen;
        for (const UiWidget& w : file.widgets) {
            if (w.id == 0)
                continue;
            SCOPED_TRACE("control " + std::to_string(w.id));
            EXPECT_TRUE(seen.insert(w.id).second) << "id used twice";
            const auto expected = dialog.controls.find(w.id);
            ASSERT_NE(expected, dialog.controls.end()) << "id the form does not address";
            EXPECT_EQ(w.className, expected->second);
            const bool readOnly =
                w.properties.count("readOnly") && w.properties.at("readOnly") == "true";
            EXPECT_EQ(readOnly, dialog.results.count(w.id) == 1);
        }
        EXPECT_EQ(seen.size(), dialog.controls.size());

        for (const char* text : dialog.texts) {
            const bool found =
                std::find(file.strings.begin(), file.strings.end(), text) != file.strings.end();
            EXPECT_TRUE(found) << "missing text \"" << text << "\"";
        }
    }
}

TEST(DialogFiles, GroupTheCompoundingChoicesWithTheirCount)
{
    const UiFile file = LoadUi("effective");
    const UiWidget* daily = file.control(11);
    ASSERT_NE(daily, nullptr);
    ASSERT_GE(daily->parent, 0);
    const UiWidget& box = file.widgets[static_cast<std::size_t>(daily->parent)];
    EXPECT_EQ(box.className, "QGroupBox");
    EXPECT_EQ(box.properties.at("title"), "Interest Compounded");
    for (int id : {12, 13, 14, 15, 16}) {
        SCOPED_TRACE(id);
        ASSERT_NE(file.control(id), nullptr);
        EXPECT_EQ(file.control(id)->parent, daily->parent);
    }
    // The count is typed only once Other is chosen; nothing is chosen on opening.
    EXPECT_EQ(file.control(16)->properties.at("enabled"), "false");
    for (int id : {11, 12, 13, 14, 15})
        EXPECT_EQ(file.control(id)->properties.count("checked"), 0u);
    EXPECT_EQ(file.control(1)->properties.at("default"), "true");
}

TEST(DialogFiles, PutTheTradeAmountsInTheirGroups)
{
    const UiFile file = LoadUi("trade");
    const auto groupOf = [&](int id) -> std::string {
        const UiWidget* w = file.control(id);
        if (w == nullptr || w->parent < 0)
            return {};
        const auto& properties = file.widgets[static_cast<std::size_t>(w->parent)].properties;
        return properties.count("title") ? properties.at("title") : std::string();
    };
    for (int id : {101, 102, 103, 201, 202, 203})
        EXPECT_EQ(groupOf(id), "Outgoing") << id;
    for (int id : {301, 302, 303, 401, 402, 403})
        EXPECT_EQ(groupOf(id), "Incoming") << id;
}

} // namespace
