#pragma once
// Designer text for the small dialogs the tests open, written the way Designer writes it:
// controls inside layouts and group boxes, ids as dynamic properties.
#include <initializer_list>
#include <string>
#include <string_view>

namespace tw::uitext {

inline std::string Property(std::string_view name, std::string_view value)
{
    return "<property name=\"" + std::string(name) + "\">" + std::string(value) + "</property>";
}

inline std::string Flag(std::string_view name, bool value)
{
    return Property(name, value ? "<bool>true</bool>" : "<bool>false</bool>");
}

inline std::string Control(std::string_view className, int id, std::string_view text = "",
                           std::string_view more = "")
{
    return "<widget class=\"" + std::string(className) + "\" name=\"c" + std::to_string(id) +
           "\"><property name=\"controlId\" stdset=\"0\"><number>" + std::to_string(id) +
           "</number></property>" + Property("text", "<string>" + std::string(text) + "</string>") +
           std::string(more) + "</widget>";
}

// A choice list with its items, the second one chosen when second is true.
inline std::string Choices(int id, std::initializer_list<std::string_view> items,
                           bool second = false)
{
    std::string xml = "<widget class=\"QComboBox\" name=\"c" + std::to_string(id) +
                      "\"><property name=\"controlId\" stdset=\"0\"><number>" + std::to_string(id) +
                      "</number></property>";
    if (second)
        xml += Property("currentIndex", "<number>1</number>");
    for (std::string_view item : items)
        xml +=
            "<item>" + Property("text", "<string>" + std::string(item) + "</string>") + "</item>";
    return xml + "</widget>";
}

inline std::string Group(std::string_view name, std::string_view children)
{
    return "<widget class=\"QGroupBox\" name=\"" + std::string(name) +
           "\"><layout class=\"QVBoxLayout\" name=\"l" + std::string(name) + "\">" +
           std::string(children) + "</layout></widget>";
}

// A widget placed in a layout.
inline std::string Item(std::string_view widget)
{
    return "<item>" + std::string(widget) + "</item>";
}

inline std::string Dialog(std::string_view name, std::string_view items, int width = 300,
                          int height = 200, std::string_view more = "")
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ui version=\"4.0\"><class>" +
           std::string(name) + "</class><widget class=\"QDialog\" name=\"" + std::string(name) +
           "\">" +
           Property("geometry", "<rect><x>0</x><y>0</y><width>" + std::to_string(width) +
                                    "</width><height>" + std::to_string(height) +
                                    "</height></rect>") +
           std::string(more) + "<layout class=\"QVBoxLayout\" name=\"top\">" + std::string(items) +
           "</layout></widget><resources/><connections/></ui>";
}

} // namespace tw::uitext
