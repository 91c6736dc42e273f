#pragma once
// Our dialog framework: a dialog object on a template id, run modally or modelessly. One dialog
// procedure serves every class; it routes WM_INITDIALOG to OnInitDialog, WM_COMMAND by control id to
// OnCommand (where each class sends the ids it cares about to its On... handlers) and everything else to
// OnMessage. Error policy: see File_win.h.

#include <windows.h>

#include <cstdint>
#include <string>

class CDialog {
public:
    CDialog(int templateId, HWND parent);
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog modally and returns the id of the button that closed it (-1 when the template
    // could not be loaded). Without a parent the main window owns it and is disabled meanwhile, so the
    // user cannot start a second command under the first.
    INT_PTR DoModal();
    // Creates the dialog modelessly; a visible template shows at once. The caller destroys it.
    bool Create();
    void DestroyWindow();

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The dialog that stands for the application: it owns dialogs and message boxes made without a
    // parent.
    static void SetMainDialog(CDialog* dialog) { s_mainDialog = dialog; }
    static HWND MainWindow() { return s_mainDialog ? s_mainDialog->m_hWnd : nullptr; }

protected:
    virtual bool OnInitDialog() { return true; }
    // A command from control id with notification code; true when handled. The base sends the OK and
    // Cancel buttons (and Enter and Esc) to OnOK and OnCancel.
    virtual bool OnCommand(int id, int code);
    // Any other message; true when handled, with its result.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Ends a modal run with result; a modeless dialog stays until DestroyWindow.
    void EndDialog(int result);

    HWND Item(int id) const { return GetDlgItem(m_hWnd, id); }
    void SetCaptionGbk(const char* gbk);
    void SetItemTextGbk(int id, const char* gbk);
    void SetItemTextAnsi(int id, const std::string& text);
    std::string ItemTextAnsi(int id) const;
    void EnableItem(int id, bool enable);
    bool IsChecked(int id) const;
    void SetChecked(int id, bool checked);
    void ComboAddGbk(int id, const char* gbk);
    void ComboAddAnsi(int id, const std::string& text);
    void ComboSelect(int id, int position);
    int ComboSelection(int id) const;

    HWND m_hWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    static CDialog* s_mainDialog;
    int m_templateId;
    HWND m_parent;
    bool m_modal = false;
};

// Draws the windows waiting for paint and handles nothing else: called while a long command runs on
// the interface thread, it keeps the windows drawn without letting input re-enter the command.
void PumpPaintMessages();
