#include "app/commandline/ExitCode_win.h"

int ExitCodeOf(const InstallOutcome& outcome) {
    switch (outcome.ending) {
        case InstallOutcome::Ending::Installed:
            return kExitInstalled;
        case InstallOutcome::Ending::Cancelled:
            return kExitCancelled;
        default:
            // Whatever stopped it, nothing of it stands half done: every failure is the one code.
            return kExitFailed;
    }
}
