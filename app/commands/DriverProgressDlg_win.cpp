#include "app/commands/DriverProgressDlg_win.h"

#include <commctrl.h>

#include "app/commands/PaintingWait_win.h"
#include "drivers/DriverPlacement_win.h"
#include "drivers/NativeFileSystem_win.h"
#include "drivers/ProgressPacing.h"
#include "framework/BusyWindow_win.h"
#include "framework/File_win.h"
#include "framework/GbkText_win.h"
#include "framework/Pacer_win.h"
#include "framework/SystemLeadByte_win.h"
#include "install/FolderPath.h"
#include "install/LinkOnTheWay_win.h"
#include "payload/EntryName.h"
#include "payload/PayloadExtractor_win.h"
#include "payload/SetupFile_win.h"
#include "payload/SetupIntegrity_win.h"
#include "res/resource.h"

namespace {

constexpr const char* kErrorText = "error!";
constexpr DWORD kInstallerPollMs = 100;
// Lets the serial driver installer let go of its files before they are deleted.
constexpr DWORD kBeforeDeletionMs = 100;

// Removed after the serial driver installer has run; the co-installer sources and the package
// installer's tree stay.
constexpr const char* kSerialDriverFiles[] = {
    "MxDriver\\UsbDriver.exe", "MxDriver\\ftd2xx.dll",   "MxDriver\\Usbvcommtp.inf", "MxDriver\\Usbvcommtp.cat",
    "MxDriver\\qtx512m.005",   "MxDriver\\qtx512u.005",  "MxDriver\\qtx512m.006",    "MxDriver\\qtx512u.006",
    "MxDriver\\qtx512m2.006",  "MxDriver\\qtx512u2.006",
};

// The first link on the way to what the driver installation writes and deletes: the extracted driver
// folders and the serial driver files removed afterwards below driverRoot, and the placement into the
// Windows folder, seen as the placement sees it (without WOW64's redirection). Empty when none.
std::string DriverLinkOnTheWay(const std::string& driverRoot, bool extract) {
    PathsToWrite own;
    if (extract) {
        // A damaged archive writes nothing: the extraction itself says so.
        std::vector<ArchiveFile> files;
        ListArchiveFiles(RunningSetupFile(), payload::Selection::Drivers, &files);
        for (const ArchiveFile& file : files) {
            own.Add(driverRoot, driverRoot, file.name.c_str());
        }
    }
    for (const char* file : kSerialDriverFiles) {
        own.Add(driverRoot, driverRoot, file);
    }
    std::string link = FindLinkOnTheWay(own);
    char systemFolder[261];
    const UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    if (link.empty() && length > 0 && length < sizeof systemFolder) {
        std::string windowsFolder;
        PathsToWrite placed;
        for (const std::string& destination :
             DriverPlacementDestinations(std::string(systemFolder, length), &windowsFolder)) {
            placed.Add(windowsFolder, destination);
        }
        ScopedNativeFileSystem native;
        link = FindLinkOnTheWay(placed);
    }
    return link;
}

// Starts the installer with no arguments, in the folder it was extracted to: the setup's own current
// folder is often the downloads folder, where a DLL planted by anyone would come first in the
// installer's search. The handles are the caller's to close.
bool Launch(const std::string& path, PROCESS_INFORMATION& process) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    process = {};
    const std::size_t separator = payload::LastSeparator(path, IsSystemLeadByte);
    const std::string folder = separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    return CreateProcessA(path.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &process) != FALSE;
}

void CloseProcessHandles(PROCESS_INFORMATION& process) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    process = {};
}

}  // namespace

CDriverProgressDlg::CDriverProgressDlg(CDialog* owner)
    : CDialog(IDD_DRIVER_PROGRESS, owner ? owner->GetSafeHwnd() : nullptr), m_pOwner(owner) {}

void CDriverProgressDlg::SetCallbacks(StepTotal stepTotal, Tick tick) {
    m_pfnStepTotal = stepTotal;
    m_pfnTick = tick;
}

int CDriverProgressDlg::InstallDrivers() {
    Open();
    {
        const CBusyWindow busy(m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr);
        char folder[261] = {};
        const UINT length = GetSystemDirectoryA(folder, sizeof folder);
        if (length == 0 || length >= sizeof folder) {
            Fail();
        } else {
            Install(install::WithTrailingBackslash(folder, IsSystemLeadByte), true);
        }
    }
    DestroyWindow();
    return 1;
}

int CDriverProgressDlg::InstallDriversBelow(const std::string& driverRoot, bool extract) {
    Open();
    {
        const CBusyWindow busy(m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr);
        Install(driverRoot, extract);
    }
    DestroyWindow();
    return 1;
}

void CDriverProgressDlg::Fail(const char* gbkText) {
    m_failed = true;
    m_reporter->Message(Reporter::Kind::Failure, GbkToWide(gbkText ? gbkText : kErrorText), m_hWnd);
}

void CDriverProgressDlg::Step(const char* words, const std::string& path) {
    m_reporter->Step(words + path);
}

// The code is the vendor's to interpret: it is told, never taken for a failure of ours.
void CDriverProgressDlg::StepExitCode(const std::string& installer, HANDLE process) {
    DWORD code = 0;
    if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0 || !GetExitCodeProcess(process, &code)) {
        Step("Could not learn the exit code of ", installer);
        return;
    }
    wchar_t text[48];
    wsprintfW(text, code > 0xFFFF ? L" ended with exit code %lu (0x%08lX)" : L" ended with exit code %lu", code, code);
    m_reporter->Step(AnsiToWide(installer.c_str()) + text);
}

void CDriverProgressDlg::Open() {
    m_failed = false;
    if (!m_showWindow) {
        return;
    }
    Create();
    SetCaptionGbk(m_title.c_str());
    if (m_centerX != 0 || m_centerY != 0) {
        RECT rect;
        GetWindowRect(m_hWnd, &rect);
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        MoveWindow(m_hWnd, m_centerX - width / 2, m_centerY - height / 2, width, height, TRUE);
    }
    SendDlgItemMessageA(m_hWnd, IDC_DRIVER_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, drivers::kProgressMax));
    PumpPaintMessages();
}

void CDriverProgressDlg::Install(const std::string& driverRoot, bool extract) {
    const std::string link = DriverLinkOnTheWay(driverRoot, extract);
    if (!link.empty()) {
        Step("A link (reparse point) lies on the way, not followed; nothing was written: ", link);
        Fail(m_pathErrorText.empty() ? nullptr : m_pathErrorText.c_str());
        return;
    }
    if (extract) {
        Step("Extracting the driver folders into ", driverRoot);
        // Checked before anything is written into the system folder; the windows stay drawn meanwhile.
        Pacer paint;
        const bool intact = IsSetupArchiveIntact(RunningSetupFile(), [&](std::uint64_t) {
            if (paint.Due()) {
                PumpPaintMessages();
            }
            return true;
        });
        if (!intact) {
            Fail(m_damagedText.c_str());
            return;
        }
        ExtractFailure failure;
        if (!ExtractDriverFiles(driverRoot, &failure)) {
            Fail(failure.kind == ExtractFailure::Kind::BadArchive ? m_damagedText.c_str() : kErrorText);
            return;
        }
    }
    Step("Placing the driver files from ", driverRoot + "MxDriver\\");
    PlaceDriverFiles(driverRoot + "MxDriver\\");

    PROCESS_INFORMATION process;
    const std::string serialInstaller = driverRoot + "MxDriver\\UsbDriver.exe";
    const std::string packageInstaller = driverRoot + "QTXDriver\\InstallDriver.exe";
    if (!Launch(serialInstaller, process)) {
        const DWORD error = GetLastError();
        Step("Could not start ", serialInstaller + ": " + SystemErrorText(error));
        Fail();
    } else {
        Step("Started and waiting for ", serialInstaller);
        WaitWithProgress(process.hProcess);
        StepExitCode(serialInstaller, process.hProcess);
        CloseProcessHandles(process);
        if (Launch(packageInstaller, process)) {
            if (m_waitForPackageInstaller) {
                Step("Started and waiting for ", packageInstaller);
                // In short waits, as for the serial installer: what the installer sends to our window
                // between them is answered, so it is never left waiting on us.
                while (WaitPaintingWindows(process.hProcess, kInstallerPollMs) == PaintingWaitResult::TimedOut) {
                }
                StepExitCode(packageInstaller, process.hProcess);
            } else {
                Step("Started ", packageInstaller);
            }
            CloseProcessHandles(process);
        } else {
            const DWORD error = GetLastError();
            Step("Could not start ", packageInstaller + ": " + SystemErrorText(error));
            Fail();
        }
    }

    WaitPaintingWindows(nullptr, kBeforeDeletionMs);
    Step("Removing the serial driver files from ", driverRoot + "MxDriver\\");
    for (const char* file : kSerialDriverFiles) {
        DeleteFileA((driverRoot + file).c_str());
    }
}

void CDriverProgressDlg::WaitWithProgress(HANDLE installer) {
    const int total = m_pfnStepTotal ? m_pfnStepTotal() : 0;
    drivers::ProgressSteps steps(total > 0 ? static_cast<unsigned>(total) : 1);
    // A wait that fails ends the loop as an installer that ended would: the installation goes on.
    while (WaitPaintingWindows(installer, kInstallerPollMs) == PaintingWaitResult::TimedOut) {
        SetProgress(steps.Advance());
        if (m_pfnTick) {
            m_pfnTick();
        }
    }
    SetProgress(drivers::kProgressMax);
}

void CDriverProgressDlg::SetProgress(unsigned position) {
    if (!m_hWnd) {
        return;
    }
    SendDlgItemMessageA(m_hWnd, IDC_DRIVER_PROGRESS, PBM_SETPOS, position, 0);
    PumpPaintMessages();
}
