#include "install/LinkOnTheWay_win.h"

#include <windows.h>

#include "framework/FileFind_win.h"
#include "framework/SystemLeadByte_win.h"

bool IsReparsePointOnDisk(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

void PathsToWrite::Add(const std::string& root, const std::string& folder, const char* name) {
    m_paths.push_back({root, folder + name});
}

std::string FindLinkOnTheWay(const PathsToWrite& paths) {
    return install::FirstLinkOnTheWay(paths.Paths(), &IsReparsePointOnDisk, IsSystemLeadByte);
}

ExtractFailure LinkOnTheWayFailure(const std::string& link) {
    ExtractFailure failure;
    failure.kind = ExtractFailure::Kind::Link;
    failure.path = link;
    failure.systemError = ERROR_SUCCESS;
    return failure;
}

install::LinkGuard SystemLinkGuard(const install::InstallPlan& plan) {
    return install::LinkGuard(plan, &IsReparsePointOnDisk, IsSystemLeadByte);
}

bool MayEnterOrDelete(const install::InstallPlan& plan, const std::string& path) {
    return SystemLinkGuard(plan).LinkOnTheWayTo(path).empty();
}

std::string FirstLinkInLooseFolders(const std::string& setupFolder, const std::vector<const char*>& names) {
    for (const char* name : names) {
        const std::string folder = setupFolder + name;
        const std::string level = folder.substr(0, folder.size() - 1);
        if (IsReparsePointOnDisk(level)) {
            return level;
        }
        // Only the names are read here, and the folder is no link: nothing below it is followed.
        CFileFind find;
        for (bool more = find.FindFirst(folder + "*.*"); more; more = find.FindNext()) {
            if (!find.IsDots() && (find.Attributes() & FILE_ATTRIBUTE_REPARSE_POINT)) {
                return folder + find.Name();
            }
        }
    }
    return std::string();
}
