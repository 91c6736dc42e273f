#pragma once
// The small progress window of the USB driver installation, and the installation itself: the driver
// folders extracted into the system folder, the files placed for this Windows, the serial driver
// installer waited for while the bar advances by time, the package installer started (and left running
// unless told to wait for it), each installer's exit code logged, the serial driver files removed again.

#include <windows.h>

#include <string>

#include "app/services/Reporter_win.h"
#include "framework/Dialog_win.h"
#include "framework/FunctionRef.h"

class CDriverProgressDlg : public CDialog {
public:
    // The number of steps in which the bar fills, and the pause after each step. Referred to, not
    // copied: what they refer to must live until the installation is over.
    using StepTotal = FunctionRef<int()>;
    using Tick = FunctionRef<void()>;

    explicit CDriverProgressDlg(CDialog* owner);
    ~CDriverProgressDlg() override = default;

    void SetCallbacks(StepTotal stepTotal, Tick tick);

    // Shows the window for the length of the call and installs below the system folder; always 1.
    // The owner takes no input meanwhile.
    int InstallDrivers();
    // The same below `driverRoot` (ending in "\"), with the payload's driver folders already there when
    // `extract` is false; for tests.
    int InstallDriversBelow(const std::string& driverRoot, bool extract);

    int m_centerX = 0;  // with m_centerY both 0 the window keeps the template's position
    int m_centerY = 0;
    std::string m_title;  // GBK bytes
    // Shown instead of the extraction when the setup's archive is damaged; GBK bytes, in the language
    // chosen at the click.
    std::string m_damagedText;
    std::string m_pathErrorText;  // GBK: the install command's path error, for a link on the way
    StepTotal m_pfnStepTotal;
    Tick m_pfnTick;
    CDialog* m_pOwner;
    bool m_showWindow = true;               // false: the same installation without any window
    Reporter* m_reporter = &m_boxReporter;  // where "error!" and the steps go; not owned
    // Unattended, the package installer is waited for too, so the run ends when the drivers are in; the
    // window leaves it running, as it always has.
    bool m_waitForPackageInstaller = false;

    // Whether the last installation told a failure.
    bool Failed() const { return m_failed; }

private:
    void Open();
    void Install(const std::string& driverRoot, bool extract);
    void WaitWithProgress(HANDLE installer);
    void SetProgress(unsigned position);
    // Tells the failure ("error!" unless another GBK text is given) and marks the command failed.
    void Fail(const char* gbkText = nullptr);
    void Step(const char* words, const std::string& path);
    // Tells the exit code of an installer that has ended.
    void StepExitCode(const std::string& installer, HANDLE process);

    MessageBoxReporter m_boxReporter;
    bool m_failed = false;
};
