#include "platform/script/dialogresource.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <algorithm>
#include <charconv>
#include <utility>

namespace tw {

namespace {

struct PropertyValue
{
    QString text; // of a <string>, <bool>, <number>... value
    Size size;    // of a <rect> value
};

struct ParseState
{
    DialogResource resource;
    // Each control with the number of its widget, which follows file order.
    std::vector<std::pair<int, DialogControl>> controls;
    int widgets = 0;
    bool badId = false;
    bool tooDeep = false;
};

// Widgets and layouts nest a handful of levels in any real dialog; the reader recurses once
// a level, so a file nested deeper is refused before the stack could run out.
constexpr int kMaxDepth = 200;

// Past the depth bound nothing more is read: the whole file is refused.
bool Deeper(QXmlStreamReader& reader, ParseState& state, int depth)
{
    if (depth < kMaxDepth)
        return true;
    state.tooDeep = true;
    reader.raiseError(QStringLiteral("nested too deeply"));
    return false;
}

// The text of the element the reader is at, with the text of every element inside it, read
// without recursion (the stream reader's own way recurses once a level); leaves the reader at
// its end tag.
QString ReadAllText(QXmlStreamReader& reader)
{
    QString text;
    int open = 1;
    while (open > 0 && !reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement:
            ++open;
            break;
        case QXmlStreamReader::EndElement:
            --open;
            break;
        case QXmlStreamReader::Characters:
        case QXmlStreamReader::EntityReference:
            text += reader.text();
            break;
        default:
            break;
        }
    }
    return text;
}

std::optional<int> ParseWholeNumber(const QString& text)
{
    const std::string digits = text.trimmed().toStdString();
    int value = 0;
    const char* last = digits.data() + digits.size();
    auto [end, failure] = std::from_chars(digits.data(), last, value);
    if (digits.empty() || failure != std::errc() || end != last)
        return std::nullopt;
    return value;
}

bool IsTrue(const PropertyValue& value)
{
    return value.text.trimmed() == u"true";
}

// At a <property> start tag; leaves the reader at its end tag.
PropertyValue ReadPropertyValue(QXmlStreamReader& reader)
{
    PropertyValue value;
    while (reader.readNextStartElement()) {
        if (reader.name() != u"rect") {
            value.text = ReadAllText(reader);
            continue;
        }
        while (reader.readNextStartElement()) {
            const bool width = reader.name() == u"width";
            const bool height = reader.name() == u"height";
            const int number = ParseWholeNumber(reader.readElementText()).value_or(0);
            if (width)
                value.size.width = number;
            else if (height)
                value.size.height = number;
        }
    }
    return value;
}

void ReadWidget(QXmlStreamReader& reader, ParseState& state, int parent, bool topLevel,
                const std::string& group, int depth);

// Layouts, layout items and the like: only the widgets inside them matter, and those belong to
// the widget around the layout.
void ReadContainer(QXmlStreamReader& reader, ParseState& state, int parent,
                   const std::string& group, int depth)
{
    if (!Deeper(reader, state, depth))
        return;
    while (reader.readNextStartElement()) {
        if (reader.name() == u"widget")
            ReadWidget(reader, state, parent, false, group, depth + 1);
        else
            ReadContainer(reader, state, parent, group, depth + 1);
    }
}

bool IsShownText(const QString& property)
{
    return property == u"text" || property == u"title" || property == u"windowTitle" ||
           property == u"plainText";
}

void ApplyControlProperty(const QString& name, const PropertyValue& value, DialogControl& control,
                          std::optional<int>& id, bool& badId)
{
    if (name == u"controlId") {
        id = ParseWholeNumber(value.text);
        badId = badId || !id;
    } else if (name == u"text" || name == u"plainText") {
        control.text = value.text.toStdString();
    } else if (name == u"enabled") {
        control.enabled = IsTrue(value);
    } else if (name == u"readOnly") {
        control.readOnly = IsTrue(value);
    } else if (name == u"checked") {
        control.checked = IsTrue(value);
    } else if (name == u"visible") {
        control.visible = IsTrue(value);
    } else if (name == u"default") {
        control.isDefault = IsTrue(value);
    }
}

void ApplyDialogProperty(const QString& name, const PropertyValue& value, DialogResource& dialog)
{
    if (name == u"geometry")
        dialog.clientSize = value.size;
    else if (name == u"windowTitle")
        dialog.title = value.text.toStdString();
    else if (name == u"closeBox")
        dialog.closeBox = IsTrue(value);
    else if (name == u"resizable")
        dialog.resizable = IsTrue(value);
}

void ReadWidget(QXmlStreamReader& reader, ParseState& state, int parent, bool topLevel,
                const std::string& group, int depth)
{
    if (!Deeper(reader, state, depth))
        return;
    const int number = ++state.widgets;
    DialogControl control;
    control.className =
        reader.attributes().value(QLatin1StringView("class")).toString().toStdString();
    control.parent = parent;
    control.group = group;
    // Designer writes a widget's properties before its children, so a group box's title is
    // known by the time the controls inside it are read.
    std::string inner = group;
    std::optional<int> id;
    int current = 0; // a choice list's chosen item

    while (reader.readNextStartElement()) {
        if (reader.name() == u"property") {
            const QString name = reader.attributes().value(QLatin1StringView("name")).toString();
            const PropertyValue value = ReadPropertyValue(reader);
            if (IsShownText(name))
                state.resource.texts.push_back(value.text.toStdString());
            if (name == u"title" && control.className == "QGroupBox")
                inner = value.text.toStdString();
            if (name == u"currentIndex")
                current = ParseWholeNumber(value.text).value_or(0);
            if (topLevel)
                ApplyDialogProperty(name, value, state.resource);
            else
                ApplyControlProperty(name, value, control, id, state.badId);
        } else if (reader.name() == u"widget") {
            ReadWidget(reader, state, number, false, inner, depth + 1);
        } else if (reader.name() == u"item" && IsChoiceList(control)) {
            // A choice list's item: its text property.
            while (reader.readNextStartElement()) {
                const bool isText = reader.name() == u"property" &&
                                    reader.attributes().value(QLatin1StringView("name")) == u"text";
                const PropertyValue value = ReadPropertyValue(reader);
                if (isText)
                    control.items.push_back(value.text.toStdString());
            }
        } else {
            ReadContainer(reader, state, number, inner, depth + 1);
        }
    }
    if (IsChoiceList(control) && !control.items.empty()) {
        const auto chosen = static_cast<std::size_t>(std::max(current, 0));
        control.text = control.items[std::min(chosen, control.items.size() - 1)];
    }
    if (id) {
        control.id = *id;
        state.controls.emplace_back(number, std::move(control));
    }
}

} // namespace

bool IsRadioButton(const DialogControl& control)
{
    return control.className == "QRadioButton";
}

bool IsChoiceList(const DialogControl& control)
{
    return control.className == "QComboBox";
}

std::optional<DialogResource> ParseDialogResource(std::string_view xml)
{
    QXmlStreamReader reader(QByteArray(xml.data(), static_cast<qsizetype>(xml.size())));
    if (!reader.readNextStartElement() || reader.name() != u"ui")
        return std::nullopt;

    ParseState state;
    bool haveWidget = false;
    while (reader.readNextStartElement()) {
        if (reader.name() == u"class") {
            state.resource.name = reader.readElementText().trimmed().toStdString();
        } else if (reader.name() == u"widget" && !haveWidget) {
            haveWidget = true;
            ReadWidget(reader, state, 0, true, {}, 1);
        } else {
            reader.skipCurrentElement();
        }
    }
    if (reader.hasError() || !haveWidget || state.badId || state.tooDeep)
        return std::nullopt;

    std::stable_sort(state.controls.begin(), state.controls.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : state.controls)
        state.resource.controls.push_back(std::move(entry.second));
    return std::move(state.resource);
}

} // namespace tw
