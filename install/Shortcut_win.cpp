#include "install/Shortcut_win.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>

namespace {

// The shell link object and the two interfaces used here, defined in this file: naming the SDK's
// constants would link libuuid's table of every interface Windows has into the setup.
constexpr CLSID kShellLinkClass = {0x00021401, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kShellLinkInterface = {0x000214ee, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr IID kPersistFileInterface = {0x0000010b, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HRESULT SaveLink(IShellLinkA& link, const std::string& shortcutFile) {
    IPersistFile* persist = nullptr;
    HRESULT result = link.QueryInterface(kPersistFileInterface, reinterpret_cast<void**>(&persist));
    if (FAILED(result)) {
        return result;
    }
    // The file name arrives in the ANSI code page; a name too long for the buffer is not saved.
    wchar_t name[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, shortcutFile.c_str(), -1, name, MAX_PATH) == 0) {
        result = HRESULT_FROM_WIN32(GetLastError());
    } else {
        result = persist->Save(name, TRUE);
    }
    persist->Release();
    return result;
}

HRESULT WriteLink(const std::string& target,
                  const std::string& shortcutFile,
                  const std::string& description,
                  const std::string* iconFile) {
    IShellLinkA* link = nullptr;
    HRESULT result = CoCreateInstance(kShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, kShellLinkInterface,
                                      reinterpret_cast<void**>(&link));
    if (FAILED(result)) {
        return result;
    }
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    if (iconFile) {
        link->SetIconLocation(iconFile->c_str(), 0);
    }
    link->SetShowCmd(SW_SHOW);
    result = SaveLink(*link, shortcutFile);
    link->Release();
    return result;
}

HRESULT CreateLinkFile(const std::string& target,
                       const std::string& shortcutFile,
                       const std::string& description,
                       const std::string* iconFile) {
    // A thread already in another apartment keeps it (RPC_E_CHANGED_MODE): then there is nothing of
    // ours to shut down.
    const HRESULT init = CoInitialize(nullptr);
    const HRESULT result = WriteLink(target, shortcutFile, description, iconFile);
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    return result;
}

}  // namespace

HRESULT CreateShortcutWithIcon(const std::string& target,
                               const std::string& shortcutFile,
                               const std::string& description,
                               const std::string& iconFile) {
    return CreateLinkFile(target, shortcutFile, description, &iconFile);
}

HRESULT CreateShortcut(const std::string& target, const std::string& shortcutFile, const std::string& description) {
    return CreateLinkFile(target, shortcutFile, description, nullptr);
}
