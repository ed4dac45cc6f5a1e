// Prints the tools of the catalog, one a line: command, tab, window title. The accessibility
// check opens each of them by the key the accelerator table gives its command.
#include "tools/toolcatalog.h"

#include <iostream>

int main()
{
    for (const tw::ToolDescription* tool : tw::ToolCatalog())
        std::cout << tool->command << '\t' << tool->title << '\n';
    return 0;
}
