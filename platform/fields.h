#pragma once
#include "platform/platform.h"

#include <optional>
#include <string_view>

namespace tw {

// The checked field readers every calculator uses. A value outside [low, high] (limits
// compared in double, both inclusive) shows the numbered validation message in a
// system-modal error box owned by the dialog, with the caller's title. Once the box is
// closed, the keyboard focus is on the field to fix with its whole text selected, so that the
// correction can be typed at once.

// Reads at most maxChars − 1 characters of control id as a float and checks it.
std::optional<float> ReadNumberField(Platform& platform, Window& dialog, int id, int maxChars,
                                     double low, double high, int messageId,
                                     std::string_view title);

// The same check on a value the caller has already read.
// field, where given, is the field the value came from.
bool CheckRange(Platform& platform, Window& dialog, float value, double low, double high,
                int messageId, std::string_view title, std::optional<int> field = std::nullopt);

// Reads a field as a float without any check (the standard conversion).
float ReadFloatField(const Window& dialog, int id, int maxChars);

// A number typed beyond the float range (1e39 reads as infinity) cannot be kept: shown again
// it would read "inf", and nothing can be computed with it. held takes value only when it is
// finite; the result says whether it did. Every value a form keeps without a range check
// goes through here.
bool KeepFinite(float& held, float value);

// Reads a field without any check into held, by KeepFinite: a number beyond the float range
// leaves held as it was and gives false.
bool ReadFloatFieldInto(const Window& dialog, int id, int maxChars, float& held);
// Reads a field as an integer without any check.
int ReadIntField(const Window& dialog, int id, int maxChars);

// A system-modal error box owned by the dialog: the style of every field check. With a
// field, the focus goes to it when the box is closed, its whole text selected.
void ShowFieldError(Platform& platform, Window& dialog, std::string_view text,
                    std::string_view title, std::optional<int> field = std::nullopt);
// The same with a warning icon, which several calculators use for their own checks.
void ShowFieldWarning(Platform& platform, Window& dialog, std::string_view text,
                      std::string_view title, std::optional<int> field = std::nullopt);

} // namespace tw
