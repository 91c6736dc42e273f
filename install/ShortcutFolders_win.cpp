#include "install/ShortcutFolders_win.h"

#include <windows.h>

#include <shlobj.h>

namespace {

std::string ShellFolder(int csidl, bool create) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, create ? TRUE : FALSE) || path[0] == '\0') {
        return std::string();
    }
    return std::string(path) + "\\";
}

}  // namespace

ShortcutFolders FindShortcutFolders(bool allUsers) {
    ShortcutFolders folders;
    if (allUsers) {
        // Created when missing, so an empty answer never stands for "the current user's".
        folders.desktop = ShellFolder(CSIDL_COMMON_DESKTOPDIRECTORY, true);
        folders.programs = ShellFolder(CSIDL_COMMON_PROGRAMS, true);
    } else {
        folders.desktop = ShellFolder(CSIDL_DESKTOP, false);
        folders.programs = ShellFolder(CSIDL_PROGRAMS, false);
    }
    return folders;
}

bool RunsAsSystemAccount() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
        return false;
    }
    // TOKEN_USER and the SID it points to, in one buffer aligned for both.
    union {
        TOKEN_USER user;
        BYTE bytes[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } buffer;
    DWORD size = 0;
    const bool system = GetTokenInformation(token, TokenUser, &buffer, sizeof buffer, &size) &&
                        IsWellKnownSid(buffer.user.User.Sid, WinLocalSystemSid);
    CloseHandle(token);
    return system;
}
