#include "app/commands/DriverInstallCommand_win.h"

#include <cstdlib>

#include "app/commands/DriverProgressDlg_win.h"
#include "app/commands/PaintingWait_win.h"
#include "drivers/ProgressPacing.h"
#include "framework/WaitCursor_win.h"
#include "install/MessageTable.h"
#include "res/resource.h"

namespace {

constexpr const char* kTitleChinese = "\xB0\xB2\xD7\xB0\xC7\xFD\xB6\xAF...";  // 安装驱动...
constexpr const char* kTitleEnglish = "Installing the driver...";

}  // namespace

bool RunDriverCommand(const DriverCommandSettings& settings) {
    RECT rect;
    if (settings.owner) {
        GetWindowRect(settings.owner->GetSafeHwnd(), &rect);
    } else {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    }

    CWaitCursor waitCursor;
    CDriverProgressDlg progress(settings.owner);
    if (settings.reporter) {
        progress.m_reporter = settings.reporter;
    }
    progress.m_showWindow = settings.showProgress;
    progress.m_waitForPackageInstaller = settings.waitForPackageInstaller;
    progress.m_title = settings.languagePosition == 0 ? kTitleChinese : kTitleEnglish;
    const install::MessageTable table(settings.languagePosition);
    progress.m_damagedText = table.Text(install::MsgSetupDamaged);
    progress.m_pathErrorText = table.Text(install::MsgPathError);
    progress.m_centerX = (rect.left + rect.right) / 2;
    progress.m_centerY = (rect.top + rect.bottom) / 2;
    const int steps = settings.progressSteps;
    const unsigned minMs = static_cast<unsigned>(settings.pauseMinMs);
    const unsigned maxMs = static_cast<unsigned>(settings.pauseMaxMs);
    const auto stepTotal = [steps] { return steps; };
    const auto pause = [minMs, maxMs] {
        // The same draw and lengths as always, but waited for without burning a core, and with the
        // windows kept drawn.
        const unsigned length = drivers::PauseLengthMs(static_cast<unsigned>(std::rand()), minMs, maxMs);
        WaitPaintingWindows(nullptr, length);
    };
    // Without a window there is no bar to pace, so no pauses.
    progress.SetCallbacks(stepTotal, settings.showProgress ? CDriverProgressDlg::Tick(pause) : nullptr);
    if (settings.driverRoot.empty()) {
        progress.InstallDrivers();
    } else {
        progress.InstallDriversBelow(settings.driverRoot, false);
    }
    return !progress.Failed();
}
