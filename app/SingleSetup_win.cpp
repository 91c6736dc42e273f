#include "app/SingleSetup_win.h"

#include <windows.h>

namespace {

// In the Global\ namespace: a setup in another session (a second user's, a deployment tool's as SYSTEM)
// is on the same machine.
constexpr wchar_t kMutexName[] = L"Global\\Vectrace.VtSetup.Running";

}  // namespace

SetupClaim::SetupClaim() {
    // The handle is the claim: the named mutex exists as long as a setup holds it open.
    const HANDLE mutex = CreateMutexW(nullptr, FALSE, kMutexName);
    const DWORD error = GetLastError();
    if (mutex && error == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return;
    }
    m_mutex = mutex;
    // A mutex of that name we may not open was made by another setup running as another user (or by
    // someone who wants setups to wait): either way this one must not run beside it.
    m_held = mutex || error != ERROR_ACCESS_DENIED;
}

SetupClaim::~SetupClaim() {
    if (m_mutex) {
        CloseHandle(m_mutex);
    }
}
