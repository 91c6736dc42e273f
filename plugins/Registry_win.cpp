#include "plugins/Registry_win.h"

#include "plugins/RegistryText.h"

int ReadRegistryString(HKEY root, const char* subKey, const char* valueName, char* buffer, DWORD* size, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ | view, &key) != ERROR_SUCCESS) {
        return 1;
    }
    // The type is not checked: a host that stored its path under another type is still found.
    DWORD type = REG_SZ;
    const LONG status = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? 0 : 1;
}

bool ReadMachineText(const std::string& subKey, const char* valueName, std::string* text, REGSAM view) {
    char buffer[plugins::kRegistryTextCapacity];
    DWORD size = sizeof buffer;
    if (ReadRegistryString(HKEY_LOCAL_MACHINE, subKey.c_str(), valueName, buffer, &size, view) != 0) {
        return false;
    }
    const std::optional<std::string> value = plugins::RegistryText(buffer, size, sizeof buffer);
    if (!value) {
        return false;
    }
    *text = *value;
    return true;
}

bool ListMachineSubKeys(const std::string& key, std::vector<std::string>* names, REGSAM view) {
    HKEY handle = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ | view, &handle) != ERROR_SUCCESS) {
        return false;
    }
    names->clear();
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(handle, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            break;
        }
        names->emplace_back(name, length);
    }
    RegCloseKey(handle);
    return true;
}

REGSAM RegistryViewFlag(plugins::RegistryView view) {
    if (view == plugins::RegistryView::Own) {
        return 0;  // also where the flags mean nothing: 32-bit Windows
    }
    return sizeof(void*) == 8 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}
