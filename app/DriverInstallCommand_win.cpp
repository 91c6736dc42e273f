#include "app/DriverInstallCommand_win.h"

#include <cstdlib>

#include "app/DriverProgressDlg_win.h"
#include "app/PaintingWait_win.h"
#include "app/SetupDlg_win.h"
#include "drivers/ProgressPacing.h"
#include "framework/WaitCursor_win.h"
#include "install/MessageTable.h"
#include "res/resource.h"

namespace {

constexpr const char* kTitleChinese = "\xB0\xB2\xD7\xB0\xC7\xFD\xB6\xAF...";  // 安装驱动...
constexpr const char* kTitleEnglish = "Installing the driver...";

}  // namespace

void RunDriverInstallCommand(CSetupDlg& window) {
    const HWND hwnd = window.GetSafeHwnd();
    const LRESULT languagePos = SendDlgItemMessageA(hwnd, IDC_LANGUAGE_LIST, CB_GETCURSEL, 0, 0);
    RECT rect;
    GetWindowRect(hwnd, &rect);

    CWaitCursor waitCursor;
    CDriverProgressDlg progress(&window);
    progress.m_title = languagePos == 0 ? kTitleChinese : kTitleEnglish;
    progress.m_damagedText = install::MessageTable(static_cast<int>(languagePos)).Text(install::MsgSetupDamaged);
    progress.m_centerX = (rect.left + rect.right) / 2;
    progress.m_centerY = (rect.top + rect.bottom) / 2;
    progress.SetCallbacks([&window] { return window.m_progressSteps; },
                          [&window] {
                              // The same draw and lengths as always, but waited for without burning a
                              // core, and with the windows kept drawn.
                              const unsigned length = drivers::PauseLengthMs(
                                  static_cast<unsigned>(std::rand()), static_cast<unsigned>(window.m_pauseMinMs),
                                  static_cast<unsigned>(window.m_pauseMaxMs));
                              WaitPaintingWindows(nullptr, length);
                          });
    progress.InstallDrivers();
}
