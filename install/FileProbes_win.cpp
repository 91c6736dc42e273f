#include "install/FileProbes_win.h"

#include "framework/FileFind_win.h"

bool FolderExists(const std::string& path) {
    CFileFind find;
    return find.FindFirst(path) && find.IsDirectory();
}

bool FileExists(const std::string& pathOrPattern) {
    CFileFind find;
    return find.FindFirst(pathOrPattern);
}
