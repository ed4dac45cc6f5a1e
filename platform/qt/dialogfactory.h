#pragma once
#include <string>
#include <string_view>
#include <vector>

class QDialog;

namespace tw {

// The dialog resources compiled into the program, one per resources/<name>.ui; the table
// is generated when the build is configured, so a new .ui file needs no code here.

// Whether a dialog resource of that name exists.
bool HasDialogResource(std::string_view name);
// Builds the resource's controls into dialog (its setupUi); false when there is no such
// resource, and then dialog is left as it was.
bool BuildDialogResource(std::string_view name, QDialog& dialog);
// Every resource name, sorted.
std::vector<std::string> DialogResourceNames();

} // namespace tw
