#include "install/FolderFiles_win.h"

#include "framework/FileFind_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/FolderPath.h"
#include "install/LinkOnTheWay_win.h"

namespace {

// Calls action(name) for every file lying directly in folder (which ends in "\") until it returns false.
template <typename Action>
bool ForEachFile(const std::string& folder, Action action) {
    CFileFind find;
    for (bool more = find.FindFirst(folder + "*.*"); more; more = find.FindNext()) {
        if (find.IsDots() || find.IsDirectory()) {
            continue;
        }
        if (!action(find.Name())) {
            return false;
        }
    }
    return true;
}

}  // namespace

void DeleteFolderFiles(std::string folder) {
    if (folder.empty()) {
        return;
    }
    const std::string base = install::WithTrailingBackslash(folder, IsSystemLeadByte);
    // Behind a link lie another program's files, and a linked file is not ours either: neither is
    // deleted, even when the check before the installation did not see it.
    if (IsReparsePointOnDisk(base.substr(0, base.size() - 1))) {
        return;
    }
    ForEachFile(base, [&](const std::string& name) {
        if (!IsReparsePointOnDisk(base + name)) {
            DeleteFileA((base + name).c_str());
        }
        return true;
    });
}
