#pragma once
// The moment an install branch passes from writing beside the old files to moving the new ones into
// place. Until then a stop leaves the earlier installation as it was; from then on only the rollback
// does. So the observer is told (the window disables its Cancel and asks Windows not to end the session),
// and the link rule (install/LinkGuard.h) is asked again over the same paths: the staging took time, and
// a user who may write inside the folder may have swapped a subfolder for a junction meanwhile.

#include <string>

#include "install/InstallObserver.h"
#include "install/InstallPlan.h"

// The link found on the way, empty when there is none; the branch then rolls back and moves nothing.
std::string OpenCommit(const install::InstallPlan& plan, install::InstallObserver* observer);

// For tests: called after the observer was told and before the links are checked, as another user or
// a logoff acting at that moment would. Null removes it.
using CommitHook = void (*)(const install::InstallPlan& plan, void* context);
void SetCommitHookForTests(CommitHook hook, void* context);
