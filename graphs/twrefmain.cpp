#include "charts/graphcharts.h"
#include "graphs/graphapp.h"

int main(int argc, char** argv)
{
    const tw::GraphProgram program{
        "twref",
        "Draws the refinance graph file: the net worth of keeping the existing mortgage and of\n"
        "refinancing it, month by month since refinancing, and the month the refinancing\n"
        "breaks even.",
        "ref.tmp",
        "Refinance Graph",
        tw::ReadRefFile,
        tw::RefinanceChart,
    };
    return tw::RunGraphProgram(argc, argv, program);
}
