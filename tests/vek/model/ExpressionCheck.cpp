// Reads lines "x y z<TAB>text" and prints, per line, the value of the text
// at the point ("%.17g") or "ERR" when the evaluator reported an error.
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "tests/support/AppHelpersStandIn.h"
#include "vek/model/expr/Expression.h"

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) continue;
        double x = 0, y = 0, z = 0;
        std::istringstream(line.substr(0, tab)) >> x >> y >> z;
        vektest::AppHelperLog log;
        CExpression e(x, y, z);
        e.SetExpression(line.substr(tab + 1).c_str());
        const double v = e.Evaluate();
        if (log.Messages().empty())
            std::printf("%.17g\n", v);
        else
            std::printf("ERR\n");
    }
    return 0;
}
