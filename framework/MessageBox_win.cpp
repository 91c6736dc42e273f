#include "framework/MessageBox_win.h"

#include "framework/Dialog_win.h"
#include "framework/GbkText_win.h"
#include "framework/ModulePath_win.h"

std::wstring ExecutableBaseName() {
    std::wstring name = RunningModulePath();
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const size_t dot = name.rfind(L'.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

namespace {

int Show(const std::wstring& text, HWND owner, UINT buttons) {
    return MessageBoxW(owner ? owner : CDialog::MainWindow(), text.c_str(),
                       ExecutableBaseName().c_str(), buttons);
}

}  // namespace

void ShowMessage(const std::wstring& text, HWND owner) {
    Show(text, owner, MB_OK);
}

bool AskRetry(const std::wstring& text, HWND owner) {
    return Show(text, owner, MB_RETRYCANCEL | MB_ICONWARNING) == IDRETRY;
}

void ShowMessage(const char* gbkText, HWND owner) {
    ShowMessage(GbkToWide(gbkText), owner);
}

bool AskYesNo(const std::wstring& text, HWND owner) {
    return Show(text, owner, MB_YESNO | MB_ICONQUESTION) == IDYES;
}
