#pragma once
// Texts cross from the platform layer (UTF-8 in a std::string_view, which need not end in a
// zero) into Qt through this one helper. The other way, QString::toStdString gives UTF-8.

#include <QString>

#include <string_view>

namespace tw {

inline QString FromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace tw
