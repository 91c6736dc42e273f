#include "install/PlanSteps_win.h"

#include <windows.h>

#include "framework/FileFind_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/MainSoftwareLayout.h"
#include "install/SameFileOnWindows_win.h"

bool PlanArchiveFiles(install::InstallPlan& plan,
                      const std::vector<ArchiveFile>& entries,
                      const std::string& destination,
                      std::initializer_list<const char*> skipped,
                      ExtractFailure* failure) {
    for (const ArchiveFile& entry : entries) {
        if (!payload::IsSafeEntryName(entry.name, IsSystemLeadByte)) {
            failure->kind = ExtractFailure::Kind::UnsafeName;
            failure->path = destination + entry.name;
            failure->systemError = ERROR_INVALID_NAME;
            return false;
        }
        const std::string_view folder = payload::FolderOf(entry.name, IsSystemLeadByte);
        bool skip = false;
        for (const char* name : skipped) {
            skip = skip || SameFileOnWindows(folder, name);
        }
        if (!skip) {
            install::PlannedFile& file = plan.Write(destination + entry.name, install::Source::Archive);
            file.offset = entry.dataOffset;
            file.size = entry.dataSize;
        }
    }
    return true;
}

install::PlannedFile* PlanArchiveFile(install::InstallPlan& plan,
                                      const std::vector<ArchiveFile>& entries,
                                      const char* name,
                                      const std::string& destination) {
    for (const ArchiveFile& entry : entries) {
        if (SameFileOnWindows(entry.name, name)) {
            install::PlannedFile& file = plan.Write(destination, install::Source::Archive);
            file.offset = entry.dataOffset;
            file.size = entry.dataSize;
            return &file;
        }
    }
    return nullptr;
}

void PlanEmptiedFolder(install::InstallPlan& plan, const std::string& folder) {
    CFileFind find;
    for (bool more = find.FindFirst(folder + "*.*"); more; more = find.FindNext()) {
        if (!find.IsDots() && !(find.Attributes() &
                                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_REPARSE_POINT))) {
            plan.Delete(folder + find.Name());
        }
    }
    plan.RemoveIfEmpty(folder);
}

void PlanProgramFolders(install::InstallPlan& plan,
                        const std::string& setupFolder,
                        const std::string& folder,
                        std::initializer_list<const char*> names,
                        int languageIndex) {
    const std::string shippedConfig = setupFolder + install::kSoftConfigPath;
    const bool configShipped = GetFileAttributesA(shippedConfig.c_str()) != INVALID_FILE_ATTRIBUTES;
    for (const char* name : names) {
        plan.MakeFolder(folder + name);
        // The laser's calibrated settings are the user's: a reinstall replaces them but keeps a copy.
        const bool settings = SameFileOnWindows(name, "QTXCfg\\");
        CFileFind find;
        for (bool more = find.FindFirst(setupFolder + name + "*.*"); more; more = find.FindNext()) {
            if (find.IsDots() || find.IsDirectory() || (settings && SameFileOnWindows(find.Name(), "SoftCfg.ini"))) {
                continue;
            }
            install::PlannedFile& file =
                plan.Write(folder + name + find.Name(), settings ? install::Source::Content : install::Source::Copy);
            file.source = setupFolder + name + find.Name();
            file.size = find.Size();
            file.keepUsersCopy = settings;
        }
    }
    install::PlannedFile& config = plan.Write(folder + install::kSoftConfigPath, install::Source::SoftConfig);
    config.source = configShipped ? shippedConfig : folder + install::kSoftConfigPath;
    config.keepUsersCopy = configShipped;
    config.language = languageIndex;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(config.source.c_str(), GetFileExInfoStandard, &data)) {
        config.size = data.nFileSizeLow + 64;  // and the language key
    }
}
