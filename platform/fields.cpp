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

namespace {

void ShowFieldBox(Platform& platform, Window& dialog, std::string_view text, std::string_view title,
                  MessageIcon icon, std::optional<int> field)
{
    platform.message(&dialog, text, title, icon, MessageButtons::Ok, true);
    if (field)
        dialog.focusAndSelect(*field);
}

} // namespace

void ShowFieldError(Platform& platform, Window& dialog, std::string_view text,
                    std::string_view title, std::optional<int> field)
{
    ShowFieldBox(platform, dialog, text, title, MessageIcon::Error, field);
}

void ShowFieldWarning(Platform& platform, Window& dialog, std::string_view text,
                      std::string_view title, std::optional<int> field)
{
    ShowFieldBox(platform, dialog, text, title, MessageIcon::Warning, field);
}

bool CheckRange(Platform& platform, Window& dialog, float value, double low, double high,
                int messageId, std::string_view title, std::optional<int> field)
{
    const double v = value;
    if (low <= v && v <= high)
        return true;
    ShowFieldError(platform, dialog, ValidationMessage(messageId), title, field);
    return false;
}

std::optional<float> ReadNumberField(Platform& platform, Window& dialog, int id, int maxChars,
                                     double low, double high, int messageId, std::string_view title)
{
    const float value = ReadFloatField(dialog, id, maxChars);
    if (!CheckRange(platform, dialog, value, low, high, messageId, title, id))
        return std::nullopt;
    return value;
}

} // namespace tw
