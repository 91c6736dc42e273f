#include "framework/Dialog_win.h"

#include "framework/GbkText_win.h"

CDialog* CDialog::s_mainDialog = nullptr;

CDialog::CDialog(int templateId, HWND parent) : m_templateId(templateId), m_parent(parent) {}

CDialog::~CDialog() {
    DestroyWindow();
    if (s_mainDialog == this) {
        s_mainDialog = nullptr;
    }
}

INT_PTR CDialog::DoModal() {
    HWND owner = m_parent;
    if (!owner && s_mainDialog != this) {
        owner = MainWindow();
    }
    m_modal = true;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(this));
    m_modal = false;
    return result;
}

bool CDialog::Create() {
    m_modal = false;
    return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_templateId), m_parent, DialogProc,
                              reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::DestroyWindow() {
    if (m_hWnd && !m_modal) {
        ::DestroyWindow(m_hWnd);
    }
}

void CDialog::EndDialog(int result) {
    if (m_modal && m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

bool CDialog::OnCommand(int id, int code) {
    if (code != BN_CLICKED) {
        return false;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->m_hWnd = window;
    } else {
        self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) {
        return FALSE;
    }
    // Nothing unwinds through the system's code: an error no handler can answer ends the setup at
    // once (framework/FatalError.h).
    const INT_PTR handled = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->m_hWnd = nullptr;
    }
    return handled;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        default:
            break;
    }
    LRESULT result = 0;
    if (!OnMessage(message, wParam, lParam, result)) {
        return FALSE;
    }
    // These few messages return their result straight from the dialog procedure; all others through
    // DWLP_MSGRESULT.
    if (message == WM_QUERYDRAGICON || message == WM_CTLCOLORSTATIC || message == WM_CTLCOLORDLG ||
        message == WM_CTLCOLORBTN || message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

void CDialog::SetCaptionGbk(const char* gbk) {
    SetWindowTextGbk(m_hWnd, gbk);
}

void CDialog::SetItemTextGbk(int id, const char* gbk) {
    SetWindowTextGbk(Item(id), gbk);
}

void CDialog::SetItemTextAnsi(int id, const std::string& text) {
    SetDlgItemTextA(m_hWnd, id, text.c_str());
}

std::string CDialog::ItemTextAnsi(int id) const {
    HWND item = Item(id);
    const int length = GetWindowTextLengthA(item);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(item, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void CDialog::EnableItem(int id, bool enable) {
    EnableWindow(Item(id), enable ? TRUE : FALSE);
}

bool CDialog::IsChecked(int id) const {
    return IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

void CDialog::SetChecked(int id, bool checked) {
    CheckDlgButton(m_hWnd, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialog::ComboAddGbk(int id, const char* gbk) {
    const std::wstring text = GbkToWide(gbk);
    SendMessageW(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CDialog::ComboAddAnsi(int id, const std::string& text) {
    SendMessageA(Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CDialog::ComboSelect(int id, int position) {
    SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int CDialog::ComboSelection(int id) const {
    return static_cast<int>(SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
}

void PumpPaintMessages() {
    MSG message;
    // Bounded, in case a window answers WM_PAINT without validating itself.
    for (int round = 0; round < 64 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++round) {
        DispatchMessageW(&message);
    }
}
