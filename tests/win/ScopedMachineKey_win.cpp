#include "tests/win/ScopedMachineKey_win.h"

namespace wintest {

ScopedMachineKey::ScopedMachineKey(std::string path, REGSAM view) : m_path(std::move(path)), m_view(view) {
    Remove();
}

ScopedMachineKey::~ScopedMachineKey() {
    Remove();
}

namespace {

// The key and everything below it, within one registry view.
void DeleteKeyTree(HKEY parent, const std::string& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) {
        return;
    }
    char name[MAX_PATH];
    DWORD length = sizeof name;
    // Always the first sub-key: deleting one renumbers the rest.
    while (RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
        DeleteKeyTree(key, name, view);
        length = sizeof name;
    }
    RegCloseKey(key);
    RegDeleteKeyExA(parent, path.c_str(), view, 0);
}

}  // namespace

void ScopedMachineKey::Remove() const {
    DeleteKeyTree(HKEY_LOCAL_MACHINE, m_path, m_view);
}

std::string ScopedMachineKey::Join(const std::string& subKey) const {
    return subKey.empty() ? m_path : m_path + "\\" + subKey;
}

HKEY ScopedMachineKey::Open(const std::string& subKey) const {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, Join(subKey).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | m_view, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

bool ScopedMachineKey::CreateKey(const std::string& subKey) const {
    HKEY key = Open(subKey);
    if (!key) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

bool ScopedMachineKey::SetText(const std::string& subKey, const char* name, const std::string& text) const {
    return SetBytes(subKey, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}

bool ScopedMachineKey::SetBytes(const std::string& subKey,
                                const char* name,
                                DWORD type,
                                const std::string& bytes) const {
    HKEY key = Open(subKey);
    if (!key) {
        return false;
    }
    const LONG status = RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                                       static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool IsWow64() {
    BOOL wow64 = FALSE;
    return IsWow64Process(GetCurrentProcess(), &wow64) && wow64;
}

bool HasOtherRegistryView() {
    return sizeof(void*) == 8 || IsWow64();
}

REGSAM OtherRegistryView() {
    return sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

}  // namespace wintest
