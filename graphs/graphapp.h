#pragma once
#include "charts/chartwindow.h"
#include "charts/graphfile.h"

namespace tw {

// What makes one graph program of the other.
struct GraphProgram
{
    const char* name;        // "twref"
    const char* summary;     // the --help paragraph
    const char* defaultFile; // "ref.tmp"
    const char* title;       // "Refinance Graph", in the window title
    GraphReader read;
    ChartBuilder build;
};

// The whole program: the command line, then the window or the file output. --help and
// --version answer before anything of the window system is touched.
int RunGraphProgram(int argc, char** argv, const GraphProgram& program);

} // namespace tw
