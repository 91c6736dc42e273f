#pragma once
// WOW64 redirects a 32-bit program's "system32" to "SysWOW64", where the 32-bit system files live. The
// driver files belong where Windows looks for them, the native "system32", so their placement turns
// the redirection off for the few calls that name a destination, and on again at once: everything
// else the thread does (loading a library, reading the extracted sources) keeps it.

#include <windows.h>

// While it lives, the calling thread sees the file system as a 64-bit program does. Does nothing on
// 32-bit Windows, in a 64-bit build (no redirection there) and on a Windows without the calls, which
// are looked up at run time.
class ScopedNativeFileSystem {
public:
    ScopedNativeFileSystem();
    ~ScopedNativeFileSystem();
    ScopedNativeFileSystem(const ScopedNativeFileSystem&) = delete;
    ScopedNativeFileSystem& operator=(const ScopedNativeFileSystem&) = delete;

    // True when the redirection is off now.
    bool Active() const { return m_active; }

private:
    PVOID m_previous = nullptr;
    bool m_active = false;
};
