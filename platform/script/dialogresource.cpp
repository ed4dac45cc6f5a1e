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
};

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
            value.text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
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

void ReadWidget(QXmlStreamReader& reader, ParseState& state, int parent, bool topLevel);

// Layouts, layout items and the like: only the widgets inside them matter, and those belong to
// the widget around the layout.
void ReadContainer(QXmlStreamReader& reader, ParseState& state, int parent)
{
    while (reader.readNextStartElement()) {
        if (reader.name() == u"widget")
            ReadWidget(reader, state, parent, false);
        else
            ReadContainer(reader, state, parent);
    }
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
    }
}

void ApplyDialogProperty(const QString& name, const PropertyValue& value, DialogResource& dialog)
{
    if (name == u"geometry")
        dialog.clientSize = value.size;
    else if (name == u"closeBox")
        dialog.closeBox = IsTrue(value);
    else if (name == u"resizable")
        dialog.resizable = IsTrue(value);
}

void ReadWidget(QXmlStreamReader& reader, ParseState& state, int parent, bool topLevel)
{
    const int number = ++state.widgets;
    DialogControl control;
    control.className =
        reader.attributes().value(QLatin1StringView("class")).toString().toStdString();
    control.parent = parent;
    std::optional<int> id;

    while (reader.readNextStartElement()) {
        if (reader.name() == u"property") {
            const QString name = reader.attributes().value(QLatin1StringView("name")).toString();
            const PropertyValue value = ReadPropertyValue(reader);
            if (topLevel)
                ApplyDialogProperty(name, value, state.resource);
            else
                ApplyControlProperty(name, value, control, id, state.badId);
        } else if (reader.name() == u"widget") {
            ReadWidget(reader, state, number, false);
        } else {
            ReadContainer(reader, state, number);
        }
    }
    if (id) {
        control.id = *id;
        state.controls.emplace_back(number, std::move(control));
    }
}

} // namespace

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
            ReadWidget(reader, state, 0, true);
        } else {
            reader.skipCurrentElement();
        }
    }
    if (reader.hasError() || !haveWidget || state.badId)
        return std::nullopt;

    std::stable_sort(state.controls.begin(), state.controls.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& entry : state.controls)
        state.resource.controls.push_back(std::move(entry.second));
    return std::move(state.resource);
}

} // namespace tw
