#include "platform/fields.h"

#include "finance/messages.h"
#include "finance/numberreader.h"

#include <cmath>

namespace tw {

float ReadFloatField(const Window& dialog, int id, int maxChars)
{
    return ReadFloat(dialog.text(id, maxChars));
}

bool KeepFinite(float& held, float value)
{
    if (!std::isfinite(value))
        return false;
    held = value;
    return true;
}

bool ReadFloatFieldInto(const Window& dialog, int id, int maxChars, float& held)
{
    return KeepFinite(held, ReadFloatField(dialog, id, maxChars));
}

int ReadIntField(const Window& dialog, int id, int maxChars)
{
    return ReadInt(dialog.text(id, maxChars));
}

void ShowFieldError(Platform& platform, Window& dialog, std::string_view text,
                    std::string_view title)
{
    platform.message(&dialog, text, title, MessageIcon::Error, MessageButtons::Ok, true);
}

void ShowFieldWarning(Platform& platform, Window& dialog, std::string_view text,
                      std::string_view title)
{
    platform.message(&dialog, text, title, MessageIcon::Warning, MessageButtons::Ok, true);
}

bool CheckRange(Platform& platform, Window& dialog, float value, double low, double high,
                int messageId, std::string_view title)
{
    const double v = value;
    if (low <= v && v <= high)
        return true;
    ShowFieldError(platform, dialog, ValidationMessage(messageId), title);
    return false;
}

std::optional<float> ReadNumberField(Platform& platform, Window& dialog, int id, int maxChars,
                                     double low, double high, int messageId, std::string_view title)
{
    const float value = ReadFloatField(dialog, id, maxChars);
    if (!CheckRange(platform, dialog, value, low, high, messageId, title))
        return std::nullopt;
    return value;
}

} // namespace tw
