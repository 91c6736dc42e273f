#include "install/FolderLevels_win.h"

#include <windows.h>

#include "framework/SystemLeadByte_win.h"
#include "install/FolderPath.h"

void CreateFolderLevels(const std::string& folder) {
    for (const std::string& level : install::FolderLevels(folder, IsSystemLeadByte)) {
        CreateDirectoryA(level.c_str(), nullptr);
    }
}
