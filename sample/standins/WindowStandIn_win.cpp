// Stand-in for the main program and its uninstaller: a small window that stays until it is closed.
// Installed, started from a shortcut and kept running, it is what the setup later finds in use.
// VT_STANDIN_TITLE (set by the build) is the window's title and class name, so a test finds it by caption.

#include <windows.h>

#ifndef VT_STANDIN_TITLE
#error VT_STANDIN_TITLE must name the window
#endif

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            RECT client;
            GetClientRect(window, &client);
            static const char kText[] = VT_STANDIN_TITLE " (sample program)";
            SetBkMode(dc, TRANSPARENT);
            DrawTextA(dc, kText, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = VT_STANDIN_TITLE;
    if (!RegisterClassA(&windowClass)) {
        return 1;
    }
    const HWND window = CreateWindowA(VT_STANDIN_TITLE, VT_STANDIN_TITLE, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 360, 180, nullptr, nullptr, instance, nullptr);
    if (!window) {
        return 1;
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
