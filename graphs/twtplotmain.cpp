#include "charts/graphcharts.h"
#include "graphs/graphapp.h"

int main(int argc, char** argv)
{
    const tw::GraphProgram program{
        "twtplot",
        "Draws the trade-off graph file: the money each named option holds after every\n"
        "period.",
        "trade.tmp",
        "Trade-Off Graph",
        tw::ReadTradeFile,
        tw::TradeChart,
    };
    return tw::RunGraphProgram(argc, argv, program);
}
