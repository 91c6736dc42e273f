#include "drivers/NativeFileSystem_win.h"

#include "drivers/SystemInfo_win.h"

namespace {

using RedirectionCall = BOOL(WINAPI*)(PVOID*);
using RevertCall = BOOL(WINAPI*)(PVOID);

// Through void*, since FARPROC's signature says nothing about the real one.
template <typename Function>
Function Kernel32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

}  // namespace

ScopedNativeFileSystem::ScopedNativeFileSystem() {
    if (!IsWow64()) {
        return;
    }
    const auto disable = Kernel32Function<RedirectionCall>("Wow64DisableWow64FsRedirection");
    m_active = disable != nullptr && disable(&m_previous) != FALSE;
}

ScopedNativeFileSystem::~ScopedNativeFileSystem() {
    if (m_active) {
        if (const auto revert = Kernel32Function<RevertCall>("Wow64RevertWow64FsRedirection")) {
            revert(m_previous);
        }
    }
}
