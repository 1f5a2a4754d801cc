// Stand-in console program for the pipe test:
//   platform_child <exit-code> <lines>
// prints <lines> numbered lines and a GBK line, then exits with <exit-code>.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const int code = argc > 1 ? std::atoi(argv[1]) : 0;
    const int lines = argc > 2 ? std::atoi(argv[2]) : 1;
    for (int i = 1; i <= lines; ++i) std::printf("line %d\n", i);
    std::printf("计算完成\n");
    std::fflush(stdout);
    return code;
}
