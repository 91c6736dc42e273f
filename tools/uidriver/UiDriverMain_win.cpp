// uidriver SCENARIO...: runs UI scenarios against the setup under Wine (see ScenarioRunner_win.h).
#include <cstdio>

#include "tools/uidriver/ScenarioRunner_win.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: uidriver SCENARIO...\n");
        return 2;
    }
    bool failed = false;
    bool skipped = false;
    for (int i = 1; i < argc; ++i) {
        const int result = uidriver::RunScenarioFile(argv[i]);
        failed = failed || (result != 0 && result != uidriver::kScenarioSkipped);
        skipped = skipped || result == uidriver::kScenarioSkipped;
        std::fflush(stdout);
    }
    return failed ? 1 : skipped ? uidriver::kScenarioSkipped : 0;
}
