#include "install/SoftConfig_win.h"

#include <windows.h>

#include "framework/FormatNumber.h"
#include "framework/IniFile_win.h"
#include "install/FileBackup_win.h"
#include "install/FolderFiles_win.h"

namespace {

constexpr const char* kSoftConfigName = "SoftCfg.ini";

// What the installation will leave as "SoftCfg.ini": the shipped file with the language written in, made
// the way the installation makes it, in a file of a new name beside it (the name is made with
// CREATE_NEW, so no planted link can stand there) that goes when this does. Empty when there is no
// shipped file or no room for the copy.
class SoftConfigOutcome {
public:
    SoftConfigOutcome(const std::string& shipped, const std::string& folder, int languageIndex) {
        char name[MAX_PATH];
        if (GetFileAttributesA(shipped.c_str()) == INVALID_FILE_ATTRIBUTES ||
            !GetTempFileNameA(folder.c_str(), "vt", 0, name)) {
            return;
        }
        m_path = name;
        if (!CopyFileA(shipped.c_str(), name, FALSE)) {
            DeleteFileA(name);
            m_path.clear();
            return;
        }
        WriteSoftConfig(m_path, languageIndex);
    }
    ~SoftConfigOutcome() {
        if (!m_path.empty()) {
            DeleteFileA(m_path.c_str());
        }
    }
    SoftConfigOutcome(const SoftConfigOutcome&) = delete;
    SoftConfigOutcome& operator=(const SoftConfigOutcome&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

void WriteSoftConfig(const std::string& iniPath, int languageIndex) {
    IniFile ini(iniPath.c_str());
    ini.WriteString("BaseCfg", "Language", FormatDecimal(languageIndex).c_str());
}

bool InstallConfigFolder(const std::string& sourceFolder,
                         const std::string& destinationFolder,
                         int languageIndex,
                         ExtractFailure* failure) {
    FileBackup backup;
    const std::string softConfig = destinationFolder + kSoftConfigName;
    const SoftConfigOutcome outcome(sourceFolder + kSoftConfigName, destinationFolder, languageIndex);
    if (!outcome.Path().empty()) {
        backup.CompareWithOutcome(softConfig, outcome.Path());
    }
    if (!CopyFolderFilesByContent(sourceFolder, destinationFolder, failure, &backup)) {
        return false;
    }
    WriteSoftConfig(softConfig, languageIndex);
    return true;
}
