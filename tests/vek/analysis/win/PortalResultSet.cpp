// Writes the portal frame's result set, as the solver would leave it, under
// a base name:  portal_resultset <folder\base>
// The stand-in solver copies it beside the data file when it runs.
#include <cstdio>

#include "PortalResults.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: portal_resultset <base>\n");
        return 2;
    }
    const std::string base = argv[1];
    apptest::PortalResults().WriteAll(base);
    // Older than what is read with it: the loader takes the set as current.
    resgen::SetTime(base + ".PL", -100);
    std::FILE* check = std::fopen((base + ".PL").c_str(), "rb");
    if (!check) return 1;
    std::fclose(check);
    return 0;
}
