#include "tools/uidriver/UiDriver_win.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "framework/File_win.h"

namespace uidriver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr DWORD kPollMs = 25;

template <typename Predicate>
bool PollUntil(DWORD timeoutMs, Predicate done) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) {
            return true;
        }
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(kPollMs);
    }
}

bool IsDialogClass(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

}  // namespace

std::wstring Utf8ToWide(const std::string& text) {
    if (text.empty()) {
        return {};
    }
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::string ToWindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') {
        return path;
    }
    std::string windows = "Z:" + path;
    for (char& c : windows) {
        if (c == '/') {
            c = '\\';
        }
    }
    return windows;
}

std::string SystemErrorWords(DWORD error) {
    return "error " + std::to_string(error) + ": " + WideToUtf8(SystemErrorTextWide(error));
}

TargetProcess::~TargetProcess() {
    Kill();
}

bool TargetProcess::Start(const std::string& exe, const std::string& workingFolder, const std::string& arguments) {
    Kill();
    m_startError = ERROR_SUCCESS;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + Utf8ToWide(exe) + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + Utf8ToWide(arguments);
    }
    const std::wstring folder = Utf8ToWide(workingFolder);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &m_info)) {
        m_startError = GetLastError();
        m_info = {};
        return false;
    }
    // Lets the driver's own windows lose the foreground to the target's.
    AllowSetForegroundWindow(m_info.dwProcessId);
    return true;
}

bool TargetProcess::Running() const {
    return m_info.hProcess && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

long TargetProcess::WaitForExit(DWORD timeoutMs) {
    if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
}

void TargetProcess::Kill() {
    if (!m_info.hProcess) {
        return;
    }
    if (Running()) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hProcess);
    CloseHandle(m_info.hThread);
    m_info = {};
}

namespace {

struct WindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProcessWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window)) {
        search.found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> ProcessWindows(DWORD processId) {
    WindowSearch search{processId, {}};
    EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::wstring& caption, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(timeoutMs, [&] {
        for (HWND window : ProcessWindows(processId)) {
            if (Caption(window) == caption) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

HWND WaitForMessageBox(DWORD processId, const std::vector<HWND>& known, DWORD timeoutMs) {
    HWND found = nullptr;
    PollUntil(timeoutMs, [&] {
        for (HWND window : ProcessWindows(processId)) {
            bool isKnown = false;
            for (HWND k : known) {
                isKnown = isKnown || k == window;
            }
            if (!isKnown && IsDialogClass(window) && GetDlgItem(window, kMessageBoxTextId)) {
                found = window;
                return true;
            }
        }
        return false;
    });
    return found;
}

bool WaitUntilClosed(HWND window, DWORD timeoutMs) {
    return PollUntil(timeoutMs, [&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

std::wstring Caption(HWND window) {
    // The caption the system keeps for the window: asks nothing of its thread, which may be busy.
    wchar_t text[1024] = {};
    InternalGetWindowText(window, text, 1024);
    return text;
}

std::wstring WindowText(HWND window) {
    // WM_GETTEXT is marshalled across processes; GetWindowText would not ask the other process.
    wchar_t text[1024] = {};
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                             &copied)) {
        return L"<no answer>";
    }
    return text;
}

std::wstring ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    return control ? WindowText(control) : L"<no control>";
}

bool ControlEnabled(HWND dialog, int id) {
    return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE;
}

bool ControlVisible(HWND dialog, int id) {
    return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

bool ControlChecked(HWND dialog, int id) {
    return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> ComboEntries(HWND dialog, int id) {
    HWND combo = GetDlgItem(dialog, id);
    std::vector<std::wstring> entries;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length >= 0 && length < 512) {
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        }
        entries.emplace_back(text);
    }
    return entries;
}

int ComboSelection(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), CB_GETCURSEL, 0, 0));
}

int ProgressPosition(HWND dialog, int id) {
    return static_cast<int>(SendMessageW(GetDlgItem(dialog, id), PBM_GETPOS, 0, 0));
}

std::wstring MessageBoxText(HWND box) {
    return ControlText(box, kMessageBoxTextId);
}

void SelectComboEntry(HWND dialog, int id, int position) {
    HWND combo = GetDlgItem(dialog, id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void ClickButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetCheck(HWND dialog, int id, bool checked) {
    SendMessageW(GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    ClickButton(dialog, id);
}

void TypeText(HWND dialog, int id, const std::wstring& text) {
    SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool MouseClick(HWND dialog, int id, const std::vector<HWND>& others) {
    RECT control;
    if (!GetWindowRect(GetDlgItem(dialog, id), &control)) {
        return false;
    }
    // Points on a grid over the control, inset from its edge, the first one uncovered.
    for (LONG y = control.top + 3; y < control.bottom - 2; y += 3) {
        for (LONG x = control.left + 3; x < control.right - 2; x += 6) {
            const POINT point{x, y};
            bool covered = false;
            for (HWND other : others) {
                RECT rect;
                if (other != dialog && IsWindowVisible(other) && GetWindowRect(other, &rect) &&
                    PtInRect(&rect, point)) {
                    covered = true;
                }
            }
            // Real input goes to whatever window is at the point: never another program's.
            if (covered || GetAncestor(WindowFromPoint(point), GA_ROOT) != dialog) {
                continue;
            }
            const int width = GetSystemMetrics(SM_CXSCREEN);
            const int height = GetSystemMetrics(SM_CYSCREEN);
            INPUT inputs[3] = {};
            for (INPUT& input : inputs) {
                input.type = INPUT_MOUSE;
                input.mi.dx = MulDiv(x, 65535, width - 1);
                input.mi.dy = MulDiv(y, 65535, height - 1);
            }
            inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
            inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
            inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
            return SendInput(3, inputs, sizeof(INPUT)) == 3;
        }
    }
    return false;
}

void MoveBy(HWND window, int dx, int dy) {
    RECT rect;
    if (GetWindowRect(window, &rect)) {
        SetWindowPos(window, nullptr, rect.left + dx, rect.top + dy, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    }
}

void PostSystemCommand(HWND window, WPARAM command) {
    PostMessageW(window, WM_SYSCOMMAND, command, 0);
}

void DismissMessageBox(HWND box) {
    PressButton(box, IDOK);
}

void PressButton(HWND box, int id) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

bool SaveWindowBitmap(HWND window, const std::string& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect)) {
        return false;
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    bool saved = false;
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        saved = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, file) == 1 &&
                std::fwrite(bits, imageSize, 1, file) == 1;
        saved = std::fclose(file) == 0 && saved;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

}  // namespace uidriver
