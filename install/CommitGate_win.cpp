#include "install/CommitGate_win.h"

#include "install/LinkOnTheWay_win.h"

namespace {

CommitHook g_hook = nullptr;
void* g_hookContext = nullptr;

}  // namespace

std::string OpenCommit(const install::InstallPlan& plan, install::InstallObserver* observer) {
    if (observer) {
        observer->Committing();
    }
    if (g_hook) {
        g_hook(plan, g_hookContext);
    }
    return SystemLinkGuard(plan).FirstLink();
}

void SetCommitHookForTests(CommitHook hook, void* context) {
    g_hook = hook;
    g_hookContext = context;
}
