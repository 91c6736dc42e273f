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
