#pragma once
// The install command behind the main window's install button: the message table for the chosen
// language, the setup folder, one branch by installation type, and the one message the branch's
// result calls for. The main window shows the success message itself when `installed` is set.

#include <string>

struct InstallCommandSettings {
    int installType = 0;  // 0 main software, 1 CorelDRAW, 2 AutoCAD, 3 Illustrator
    std::string targetFolder;
    int autoInstall = 0;
    int versionIndex = 0;
    int languagePosition = 0;
    std::string productName;
    // Empty means the running setup; the setup folder is the folder of this file.
    std::string setupExecutable;
};

struct InstallCommandResult {
    bool installed = false;
    std::wstring message;  // empty when nothing is to be said
};

InstallCommandResult RunInstallCommand(const InstallCommandSettings& settings);
