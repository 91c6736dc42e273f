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
    Committed();
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

namespace {

// Since Vista; looked up so that the setup still starts on XP, where the answer alone holds a logoff.
using ShutdownBlockReasonCreateFn = BOOL(WINAPI*)(HWND, LPCWSTR);
using ShutdownBlockReasonDestroyFn = BOOL(WINAPI*)(HWND);

template <typename Function>
Function User32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

void CInstallProgressDlg::Committing() {
    m_committing = true;
    EnableItem(IDCANCEL, false);
    m_status = GbkToWide(progresstexts::ForLanguage(m_language).finishing);
    if (m_hWnd && !m_holdingSession) {
        m_holdingSession = true;
        const auto create = User32Function<ShutdownBlockReasonCreateFn>("ShutdownBlockReasonCreate");
        if (create) {
            create(m_hWnd, GbkToWide(progresstexts::ForLanguage(m_language).shutdownReason).c_str());
        }
    }
    Draw();
    PumpPaintMessages();
}

void CInstallProgressDlg::Committed() {
    if (!m_holdingSession) {
        return;
    }
    m_holdingSession = false;
    const auto destroy = User32Function<ShutdownBlockReasonDestroyFn>("ShutdownBlockReasonDestroy");
    if (destroy && m_hWnd) {
        destroy(m_hWnd);
    }
}

bool CInstallProgressDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_QUERYENDSESSION) {
        return false;
    }
    // A session ended halfway through the moves would leave a mix of both versions.
    result = m_holdingSession ? FALSE : TRUE;
    return true;
}

void CInstallProgressDlg::Finish() {
    m_scale.Finish();
    Draw();
    PumpPaintMessages();
}

void CInstallProgressDlg::Follow(std::uint64_t bytesMoved) {
    m_scale.Moved(bytesMoved);
    if (m_drawPace.Due()) {
        TakeInput();
        Draw();
        PumpPaintMessages();
    }
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
    // Esc and the close box come here with the button disabled: from the commit on, nothing is asked.
    if (m_asking || m_cancelled || m_committing) {
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
