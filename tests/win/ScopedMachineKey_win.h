#pragma once
// Registry keys a test writes under HKEY_LOCAL_MACHINE of its prefix, removed with everything below them
// when the object is made and when it goes, so no test sees another's keys.

#include <windows.h>

#include <string>

namespace wintest {

class ScopedMachineKey {
public:
    // view: 0 for the test's own view (the setup's), or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
    explicit ScopedMachineKey(std::string path, REGSAM view = 0);
    ~ScopedMachineKey();
    ScopedMachineKey(const ScopedMachineKey&) = delete;
    ScopedMachineKey& operator=(const ScopedMachineKey&) = delete;

    // Creates path\subKey with the keys on the way; an empty subKey is the key itself.
    bool CreateKey(const std::string& subKey) const;
    // A REG_SZ value stored with its terminator, as "reg add" stores it.
    bool SetText(const std::string& subKey, const char* name, const std::string& text) const;
    // Exactly these bytes, with no terminator added.
    bool SetBytes(const std::string& subKey, const char* name, DWORD type, const std::string& bytes) const;

private:
    void Remove() const;
    HKEY Open(const std::string& subKey) const;  // created when missing; nullptr on failure
    std::string Join(const std::string& subKey) const;

    std::string m_path;
    REGSAM m_view;
};

// Whether the test runs as a 32-bit program on 64-bit Windows.
bool IsWow64();

// Whether the machine has a registry view besides the test's own: always for a 64-bit test, under
// WOW64 for a 32-bit one. The other view is the one a program of the other bitness sees.
bool HasOtherRegistryView();
REGSAM OtherRegistryView();

}  // namespace wintest
