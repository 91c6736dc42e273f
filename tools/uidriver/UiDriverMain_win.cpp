// uidriver SCENARIO...: runs UI scenarios against the setup under Wine (see ScenarioRunner_win.h).
#include <cstdio>

#include "tools/uidriver/ScenarioRunner_win.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: uidriver SCENARIO...\n");
        return 2;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        failed |= uidriver::RunScenarioFile(argv[i]);
        std::fflush(stdout);
    }
    return failed;
}
