#pragma once
// The folders that take the main software's shortcuts: the current user's desktop and start-menu
// programs folder, or those that all users of the machine see.

#include <string>

struct ShortcutFolders {
    std::string desktop;   // ending in "\"; empty when the shell has no such folder
    std::string programs;  // the start-menu programs folder, ending in "\"; empty when the shell has none
};

ShortcutFolders FindShortcutFolders(bool allUsers);

// Whether the setup runs as the system account, as deployment tools start setups: its own desktop
// and start menu are seen by no person.
bool RunsAsSystemAccount();
