// A plain window that lists the payload the setup carries; it stands in for the main window until that
// exists.
#include <windows.h>

#include <string>

#include "app/framework/File_win.h"
#include "payload/ArchiveReader.h"
#include "payload/PayloadExtractor_win.h"

namespace {

class FileSource : public payload::ArchiveSource {
public:
    explicit FileSource(CFile& file) : m_file(file), m_length(file.Length()) {}
    std::uint64_t Length() override { return m_length; }
    bool ReadAt(std::uint64_t offset, void* buffer, std::uint32_t count) override {
        return m_file.Seek(offset) && m_file.Read(buffer, count);
    }

private:
    CFile& m_file;
    std::uint64_t m_length;
};

void FillList(HWND list) {
    CFile self;
    if (!self.Open(RunningExecutablePath(), CFile::Mode::Read, FILE_SHARE_READ)) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("The setup cannot read its own file."));
        return;
    }
    FileSource source(self);
    const payload::WalkResult walk = payload::WalkArchive(source, [list](const payload::EntryView& entry) {
        const std::string line = entry.name + "    (" + std::to_string(entry.dataSize) + " bytes)";
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        return true;
    });
    if (!walk.ok()) {
        const std::string line = std::string("Payload: ") + payload::ArchiveErrorText(walk.error);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0, window,
                                        reinterpret_cast<HMENU>(1), nullptr, nullptr);
            SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
            FillList(list);
            return 0;
        }
        case WM_SIZE:
            MoveWindow(GetDlgItem(window, 1), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "VtSetupPayloadList";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("VtSetupPayloadList", "VtSetup - payload", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 520, 420, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
