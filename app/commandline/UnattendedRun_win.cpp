#include "app/commandline/UnattendedRun_win.h"

#include <windows.h>

#include "app/commands/DriverInstallCommand_win.h"
#include "app/commands/InstallCommand_win.h"
#include "app/commands/InstallProgressDlg_win.h"
#include "app/commands/ShellTexts.h"
#include "app/services/Reporter_win.h"
#include "framework/GbkText_win.h"
#include "framework/WaitCursor_win.h"
#include "install/ShortcutFolders_win.h"
#include "plugins/InstallPathTexts.h"

namespace {

using switches::Kind;

// What the install-path dialog would have answered for these switches.
InstallCommandSettings InstallSettingsFor(const switches::SetupSwitches& given,
                                          const StartValues& start,
                                          int languagePosition) {
    InstallCommandSettings settings;
    settings.installType = switches::TypeListPosition(given.kind);
    settings.targetFolder = given.hasFolder ? given.folder : std::string(installpath::kInitialPath);
    // For CorelDRAW and AutoCAD a folder means the host's folder by hand; without one they are looked for.
    settings.autoInstall = (given.kind == Kind::CorelDraw || given.kind == Kind::AutoCad) && !given.hasFolder ? 1 : 0;
    if (given.versionIndex >= 0) {
        settings.versionIndex = given.versionIndex;
    } else {
        settings.versionIndex = given.kind == Kind::Illustrator ? installpath::kIllustratorDefaultVersion
                                                                : installpath::kCorelDefaultVersion;
    }
    settings.languagePosition = languagePosition;
    settings.productName = start.productName;
    settings.setupFile = start.setupFile;
    settings.setupFolder = start.setupFolder;
    if (start.desktopFolder.empty()) {
        const ShortcutFolders shortcuts =
            FindShortcutFolders(switches::ShortcutsForAllUsers(given.shortcuts, RunsAsSystemAccount()));
        settings.desktopFolder = shortcuts.desktop;
        settings.programsFolder = shortcuts.programs;
    } else {
        settings.desktopFolder = start.desktopFolder;
        settings.programsFolder = start.programsFolder;
    }
    return settings;
}

// The centre of the screen's work area, where the banner and the progress window stand without a
// main window.
POINT ScreenCenter() {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return POINT{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
}

int InstallSoftware(const switches::SetupSwitches& given,
                    const StartValues& start,
                    int languagePosition,
                    Reporter& reporter) {
    const InstallCommandSettings settings = InstallSettingsFor(given, start, languagePosition);
    InstallOutcome outcome;
    if (given.mode == switches::Mode::Silent) {
        // The same progress window as the main window's, with its Cancel.
        const POINT center = ScreenCenter();
        CWaitCursor waitCursor;
        CInstallProgressDlg progress(nullptr, languagePosition);
        progress.Open(center.x, center.y);
        outcome = RunReportedInstallCommand(settings, reporter, nullptr, &progress);
        if (outcome.Installed()) {
            progress.Finish();
        }
    } else {
        outcome = RunReportedInstallCommand(settings, reporter);
    }
    if (!outcome.Installed()) {
        return ExitCodeOf(outcome);
    }
    reporter.Message(Reporter::Kind::Done, GbkToWide(shelltexts::InstallOkText(languagePosition)));
    return kExitInstalled;
}

int InstallDrivers(const switches::SetupSwitches& given,
                   const StartValues& start,
                   int languagePosition,
                   Reporter& reporter) {
    DriverCommandSettings settings;
    settings.driverRoot = start.driverRoot;
    settings.languagePosition = languagePosition;
    settings.showProgress = given.mode == switches::Mode::Silent;
    settings.reporter = &reporter;
    settings.waitForPackageInstaller = true;
    if (!RunDriverCommand(settings)) {
        return kExitFailed;
    }
    reporter.Step("The USB drivers were installed.");
    return kExitInstalled;
}

}  // namespace

int RunUnattended(const switches::SetupSwitches& given, const StartValues& start, SetupLog& log) {
    LogReporter reporter(&log);
    const int languageIndex = given.languageIndex > 0 ? given.languageIndex : start.languageIndex;
    const int languagePosition = languageIndex - 1;
    reporter.Step(std::string("Unattended run, ") + (given.mode == switches::Mode::Silent ? "silent" : "very silent") +
                  ": /TYPE=" + switches::KindName(given.kind));
    if (given.kind == Kind::UsbDriver) {
        return InstallDrivers(given, start, languagePosition, reporter);
    }
    return InstallSoftware(given, start, languagePosition, reporter);
}
