// A program that carries an archive behind its image, as the setup does, and installs its payload the
// way an installation now does: planned, checked, staged under temporary names, moved into place.
// Usage: vt_bench_install_carrier DESTINATION\   Exit code 1 when installed, 0 otherwise.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "install/InstallTransaction_win.h"
#include "install/PlanSteps_win.h"
#include "payload/SetupFile_win.h"

int main(int argc, char** argv) {
    if (argc != 2 || OpenRunningSetupFile() != SetupFileState::Open) {
        return 0;
    }
    std::vector<install::InstallPlan> plans;
    plans.emplace_back(argv[1], argv[1]);
    std::vector<ArchiveFile> entries;
    ExtractFailure failure;
    if (!ListArchiveFiles(RunningSetupFile(), payload::Selection::Payload, &entries, &failure) ||
        !PlanArchiveFiles(plans[0], entries, argv[1], {}, &failure)) {
        return 0;
    }
    const InstallRun run = RunInstallPlans(plans, *RunningSetupFile(), nullptr);
    if (run.stop != InstallRun::Stop::None) {
        std::fprintf(stderr, "install stopped (%d): %s, system error %lu\n", static_cast<int>(run.stop),
                     run.failure.path.c_str(), run.failure.systemError);
        return 0;
    }
    return 1;
}
