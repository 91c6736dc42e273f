#include "app/windows/SetupDlg_win.h"

#include "app/commands/InstallCommand_win.h"

#include "app/commands/DriverInstallCommand_win.h"
#include "app/commands/InstallProgressDlg_win.h"
#include "app/commands/ShellTexts.h"
#include "app/windows/AboutDlg_win.h"
#include "framework/BusyWindow_win.h"
#include "framework/GbkText_win.h"
#include "framework/WaitCursor_win.h"
#include "install/ShortcutFolders_win.h"
#include "plugins/InstallPathDlg_win.h"
#include "res/resource.h"

CSetupDlg::CSetupDlg(HWND parent) : CDialog(IDD_VTSETUP_DIALOG, parent) {
    m_hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CSetupDlg::~CSetupDlg() = default;

bool CSetupDlg::OnInitDialog() {
    if (HMENU systemMenu = GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t about[128] = {};
        if (LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 128) > 0 && about[0]) {
            AppendMenuW(systemMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(systemMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    SetLanguageCaptions(m_languageIndex == 1);

    ComboAddAnsi(IDC_TYPE_LIST, m_productName);
    for (const char* type : shelltexts::kPluginTypes) {
        ComboAddGbk(IDC_TYPE_LIST, type);
    }
    ComboSelect(IDC_TYPE_LIST, m_presetType >= 0 ? m_presetType : 0);

    for (const char* language : shelltexts::kLanguages) {
        ComboAddGbk(IDC_LANGUAGE_LIST, language);
    }
    ComboSelect(IDC_LANGUAGE_LIST, m_languageIndex - 1);
    if (m_presetUsbDriver) {
        SetFocus(Item(IDC_INSTALL_USB_DRIVER));
        return false;  // the focus is set
    }
    return true;
}

bool CSetupDlg::OnCommand(int id, int code) {
    if (id == IDC_LANGUAGE_LIST && code == CBN_SELCHANGE) {
        OnLanguageChanged();
        return true;
    }
    if (code == BN_CLICKED) {
        // While a command runs the window is disabled; a click that still reaches it, from a message
        // box's loop or posted by a tool, starts nothing.
        if (!IsWindowEnabled(m_hWnd) &&
            (id == IDC_INSTALL || id == IDC_DRIVER_INSTALL_HIDDEN || id == IDC_INSTALL_USB_DRIVER)) {
            return true;
        }
        switch (id) {
            case IDC_INSTALL:
                OnInstall();
                return true;
            case IDC_DRIVER_INSTALL_HIDDEN:
                OnDriverInstallHidden();
                return true;
            case IDC_INSTALL_USB_DRIVER:
                OnInstallUsbDriver();
                return true;
            default:
                break;
        }
    }
    return CDialog::OnCommand(id, code);
}

bool CSetupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
                OnSysCommand(static_cast<UINT>(wParam));
                result = 0;
                return true;
            }
            return false;
        case WM_PAINT:
            return OnPaint();
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(m_hIcon);
            return true;
        default:
            return false;
    }
}

void CSetupDlg::OnSysCommand(UINT) {
    CAboutDlg about;
    about.DoModal();
}

bool CSetupDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        return false;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return true;
}

void CSetupDlg::SetLanguageCaptions(bool chinese) {
    const shelltexts::Captions& captions = chinese ? shelltexts::kChineseCaptions : shelltexts::kEnglishCaptions;
    SetCaptionGbk(captions.window);
    SetItemTextGbk(IDC_TYPE_LABEL, captions.typeLabel);
    SetItemTextGbk(IDC_LANGUAGE_LABEL, captions.languageLabel);
    SetItemTextGbk(IDC_INSTALL, captions.installButton);
    SetItemTextGbk(IDC_INSTALL_USB_DRIVER, captions.usbDriverButton);
}

void CSetupDlg::OnLanguageChanged() {
    SetLanguageCaptions(ComboSelection(IDC_LANGUAGE_LIST) == 0);
}

void CSetupDlg::OnInstall() {
    const int languagePos = ComboSelection(IDC_LANGUAGE_LIST);
    const int installType = ComboSelection(IDC_TYPE_LIST);

    CInstallPathDlg pathDialog(nullptr);
    pathDialog.m_languagePos = languagePos;
    pathDialog.m_installType = installType;
    pathDialog.m_presetPath = m_presetPath;
    pathDialog.m_presetVersion = m_presetVersion;
    if (pathDialog.DoModal() != IDOK) {
        return;
    }
    m_autoInstall = pathDialog.m_autoInstall;
    m_targetFolder = pathDialog.m_path;
    m_versionIndex = pathDialog.m_versionIndex;
    m_languagePos = languagePos;
    m_installType = installType;

    RECT window;
    GetWindowRect(m_hWnd, &window);
    const int centerX = (window.left + window.right) / 2;
    const int centerY = (window.top + window.bottom) / 2;

    CWaitCursor waitCursor;
    // Shown before the main window is disabled (it takes the activation from it) and destroyed after
    // the main window is enabled again, so the activation goes back there.
    CInstallProgressDlg progress(m_hWnd, languagePos);
    progress.Open(centerX, centerY);
    const CBusyWindow busy(m_hWnd);
    RunInstallCommand(&progress);
    if (m_installed) {
        // Over the full bar, which says the same.
        progress.Finish();
        m_reporter->Message(Reporter::Kind::Done, GbkToWide(shelltexts::InstallOkText(languagePos)),
                            progress.GetSafeHwnd());
    }
}

void CSetupDlg::RunInstallCommand(CInstallProgressDlg* progress) {
    m_installed = 0;
    InstallCommandSettings settings;
    settings.installType = m_installType;
    settings.targetFolder = m_targetFolder;
    settings.autoInstall = m_autoInstall;
    settings.versionIndex = m_versionIndex;
    settings.languagePosition = m_languagePos;
    settings.productName = m_productName;
    settings.setupFolder = m_setupFolder;
    const ShortcutFolders shortcuts = FindShortcutFolders(m_allUsersShortcuts);
    settings.desktopFolder = shortcuts.desktop;
    settings.programsFolder = shortcuts.programs;
    // The command's boxes belong to the progress window: a box that closes enables its owner, and the
    // main window must take no input until the command has ended.
    const HWND boxOwner = progress && progress->GetSafeHwnd() ? progress->GetSafeHwnd() : m_hWnd;
    m_installed = RunReportedInstallCommand(settings, *m_reporter, boxOwner, progress).Installed() ? 1 : 0;
}

// Titled in the language chosen in the Language list at this moment, paced by the window's values, its
// messages to the window's reporter.
void CSetupDlg::RunDriverInstallCommand() {
    DriverCommandSettings settings;
    settings.languagePosition = ComboSelection(IDC_LANGUAGE_LIST);
    settings.owner = this;
    settings.reporter = m_reporter;
    settings.progressSteps = m_progressSteps;
    settings.pauseMinMs = m_pauseMinMs;
    settings.pauseMaxMs = m_pauseMaxMs;
    RunDriverCommand(settings);
}

void CSetupDlg::OnInstallUsbDriver() {
    RunDriverInstallCommand();
}

void CSetupDlg::OnDriverInstallHidden() {
    RunDriverInstallCommand();
}
