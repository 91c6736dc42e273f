#include "tests/win/PluginDist_win.h"

#include <windows.h>

#include <algorithm>

#include "tests/win/WineTestSupport_win.h"

namespace wintest {

namespace {

std::string FromUnix(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path + "\\";
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

std::string DistFolder() {
    return FromUnix(VT_DIST_DIR);
}

std::string PayloadFolder() {
    return FromUnix(VT_BUILD_ROOT "/payload-small");
}

std::string DistSetup() {
    return DistFolder() + "VtSetup.exe";
}

CFile* DistSetupFile() {
    static CFile setup;
    if (!setup.IsOpen()) {
        setup.Open(DistSetup(), CFile::Mode::Read, FILE_SHARE_READ);
    }
    return &setup;
}

std::string IniValue(const std::string& path, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, path.c_str());
    return value;
}

std::vector<std::string> InstalledPluginFiles(std::initializer_list<const char*> removedFolders,
                                              std::initializer_list<std::string> extraFiles) {
    std::vector<std::string> files;
    for (const std::string& file : ListFiles(PayloadFolder())) {
        const std::string top = Lower(file.substr(0, file.find('\\')));
        bool removed = top == "mxdriver" || top == "contour";
        for (const char* folder : removedFolders) {
            removed = removed || top == Lower(folder);
        }
        if (!removed) {
            files.push_back(file);
        }
    }
    for (const char* folder : {"QTXCfg\\", "QTXLanguage\\", "QTXRes\\"}) {
        for (const std::string& file : ListFiles(DistFolder() + folder)) {
            files.push_back(folder + file);
        }
    }
    files.push_back("QTXCfg\\SoftCfg.ini");
    files.insert(files.end(), extraFiles.begin(), extraFiles.end());
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

}  // namespace wintest
