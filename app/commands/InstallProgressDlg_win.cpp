#include "app/commands/InstallProgressDlg_win.h"

#include <commctrl.h>

#include "app/commands/InstallProgressTexts.h"
#include "framework/GbkText_win.h"
#include "framework/MessageBox_win.h"
#include "framework/MiddleCut.h"
#include "res/resource.h"

CInstallProgressDlg::CInstallProgressDlg(HWND owner, int languagePosition)
    : CDialog(IDD_INSTALL_PROGRESS, owner), m_language(languagePosition) {}

CInstallProgressDlg::~CInstallProgressDlg() {
    SetPaintPumpWatcher(nullptr);
}

bool CInstallProgressDlg::OnInitDialog() {
    SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETRANGE32, 0, ProgressScale::kEnd);
    SetItemTextGbk(IDCANCEL, progresstexts::ForLanguage(m_language).cancelButton);
    return true;
}

bool CInstallProgressDlg::Open(int centerX, int centerY) {
    if (!Create()) {
        return false;
    }
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    SetWindowPos(m_hWnd, HWND_TOP, centerX - width / 2, centerY - height / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(m_hWnd);
    SetPaintPumpWatcher(this);
    Draw();
    PumpPaintMessages();
    return true;
}

void CInstallProgressDlg::Checking(std::uint64_t bytes) {
    m_scale.StartCheck(bytes);
    m_status = GbkToWide(progresstexts::ForLanguage(m_language).checking);
}

void CInstallProgressDlg::Installing(std::uint64_t bytes) {
    m_scale.StartInstall(bytes);
    m_filesDone = 0;
    m_fileSize = 0;
}

void CInstallProgressDlg::NameFile(const std::string& name, std::uint64_t size) {
    // A file copied by the system or a shortcut moves no bytes through the pump: its size counts once
    // the next file starts.
    m_filesDone += m_fileSize;
    m_fileSize = size;
    m_scale.AtLeast(m_filesDone);
    m_status = GbkToWide(progresstexts::ForLanguage(m_language).installing) + AnsiToWide(name.c_str());
}

void CInstallProgressDlg::Finish() {
    m_scale.Finish();
    Draw();
    PumpPaintMessages();
}

bool CInstallProgressDlg::Pumped(std::uint64_t bytesMoved) {
    m_scale.Moved(bytesMoved);
    if (m_drawPace.Due()) {
        TakeInput();
        Draw();
    }
    return !m_cancelled;
}

// Only this window's messages: the owner is disabled, and nothing else may reach the running command.
void CInstallProgressDlg::TakeInput() {
    MSG message;
    for (int round = 0; round < 64 && m_hWnd && PeekMessageW(&message, m_hWnd, 0, 0, PM_REMOVE); ++round) {
        if (!IsDialogMessageW(m_hWnd, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void CInstallProgressDlg::OnCancel() {
    if (m_asking || m_cancelled) {
        return;
    }
    m_asking = true;
    const bool yes = AskYesNo(GbkToWide(progresstexts::ForLanguage(m_language).cancelQuestion), m_hWnd);
    m_asking = false;
    if (yes) {
        m_cancelled = true;
        EnableItem(IDCANCEL, false);
    }
}

// As much of the status as the line holds, cut in the middle.
std::wstring CInstallProgressDlg::FittedStatus() const {
    const HWND line = Item(IDC_PROGRESS_STATUS);
    RECT client;
    GetClientRect(line, &client);
    struct Measure {
        HDC dc;
        LONG width;
    };
    const HDC dc = GetDC(line);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
    Measure measure{dc, client.right - client.left};
    const std::wstring fitted = CutInTheMiddle(
        m_status,
        [](const std::wstring& text, void* context) {
            const Measure* m = static_cast<const Measure*>(context);
            SIZE size{};
            GetTextExtentPoint32W(m->dc, text.c_str(), static_cast<int>(text.size()), &size);
            return size.cx <= m->width;
        },
        &measure);
    SelectObject(dc, previous);
    ReleaseDC(line, dc);
    return fitted;
}

void CInstallProgressDlg::Draw() {
    m_drawPace.Looked();
    if (!m_hWnd) {
        return;
    }
    const int position = m_scale.Position();
    if (position != m_drawnPosition) {
        SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, static_cast<WPARAM>(position), 0);
        m_drawnPosition = position;
    }
    if (m_status != m_drawnStatus) {
        SetWindowTextW(Item(IDC_PROGRESS_STATUS), FittedStatus().c_str());
        m_drawnStatus = m_status;
    }
}
