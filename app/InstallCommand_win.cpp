#include "app/InstallCommand_win.h"

#include <windows.h>

#include "app/SetupFolder_win.h"
#include "framework/GbkText_win.h"
#include "install/MainSoftwareInstall_win.h"
#include "install/MessageTable.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/SetupIntegrity_win.h"
#include "plugins/AutoCadInstall_win.h"
#include "plugins/CorelDrawInstall_win.h"
#include "plugins/IllustratorInstall_win.h"

namespace {

std::wstring SystemErrorTextWide(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    if (text) {
        LocalFree(text);
    }
    while (!result.empty() && (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' ')) {
        result.pop_back();
    }
    return result;
}

// Our lead-in is GBK, the path is in the system's code page and the reason comes from the system:
// each is converted on its own, so all three read right on any Windows.
std::wstring FileFailureMessage(const install::MessageTable& table, const ExtractFailure& failure) {
    const install::MessageId leadIn =
        failure.kind == ExtractFailure::Kind::Read ? install::MsgReadFailed : install::MsgWriteFailed;
    return GbkToWide(table.Text(leadIn)) + L"\r\n" + AnsiToWide(failure.path.c_str()) + L"\r\n" +
           SystemErrorTextWide(failure.systemError);
}

template <typename Result>
InstallCommandResult Report(const Result& result,
                            bool fileFailed,
                            const std::string& message,
                            const install::MessageTable& table) {
    InstallCommandResult report;
    report.installed = result.outcome == Result::Outcome::Installed;
    if (result.failure.kind == ExtractFailure::Kind::BadArchive) {
        // Damaged after the check at the start (the file changed meanwhile): no program to close.
        report.message = GbkToWide(table.Text(install::MsgSetupDamaged));
    } else if (fileFailed) {
        report.message = FileFailureMessage(table, result.failure);
    } else if (!message.empty()) {
        report.message = GbkToWide(message.c_str());
    }
    return report;
}

}  // namespace

InstallCommandResult RunInstallCommand(const InstallCommandSettings& settings) {
    const install::MessageTable table(settings.languagePosition);
    const std::string setupExecutable =
        settings.setupExecutable.empty() ? RunningExecutablePath() : settings.setupExecutable;
    const std::string setupFolder = SetupFolderOf(setupExecutable);
    // Every branch extracts: a damaged setup is refused before any of them writes a thing.
    if (!IsSetupArchiveIntact(setupExecutable)) {
        InstallCommandResult damaged;
        damaged.message = GbkToWide(table.Text(install::MsgSetupDamaged));
        return damaged;
    }

    if (settings.installType == 0) {
        MainInstallSettings main;
        main.targetFolder = settings.targetFolder;
        main.productName = settings.productName;
        main.languagePosition = settings.languagePosition;
        main.setupFolder = setupFolder;
        main.setupExecutable = settings.setupExecutable;
        const MainInstallResult result = InstallMainSoftware(main);
        return Report(result, result.outcome == MainInstallResult::Outcome::FileFailed,
                      MainInstallMessage(result, table), table);
    }

    PluginInstallSettings plugin;
    plugin.targetFolder = settings.targetFolder;
    plugin.autoInstall = settings.autoInstall;
    plugin.versionIndex = settings.versionIndex;
    plugin.languagePosition = settings.languagePosition;
    plugin.setupFolder = setupFolder;
    plugin.setupExecutable = settings.setupExecutable;
    PluginInstallResult result;
    std::string message;
    switch (settings.installType) {
        case 1:
            result = InstallCorelDrawPlugin(plugin);
            message = CorelDrawInstallMessage(result, table);
            break;
        case 2:
            result = InstallAutoCadPlugin(plugin);
            message = AutoCadInstallMessage(result, table);
            break;
        case 3:
            result = InstallIllustratorPlugin(plugin);
            message = IllustratorInstallMessage(result, table);
            break;
        default:
            return {};  // the Type list has no other entry
    }
    return Report(result, result.outcome == PluginInstallResult::Outcome::FileFailed, message, table);
}
