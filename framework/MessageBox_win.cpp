#include "framework/MessageBox_win.h"

#include "framework/Dialog_win.h"
#include "framework/GbkText_win.h"

std::string ExecutableBaseName() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    const size_t slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}

namespace {

int Show(const std::wstring& text, HWND owner, UINT buttons) {
    return MessageBoxW(owner ? owner : CDialog::MainWindow(), text.c_str(),
                       AnsiToWide(ExecutableBaseName().c_str()).c_str(), buttons);
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
