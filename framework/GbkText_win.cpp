#include "framework/GbkText_win.h"

namespace {

constexpr UINT kGbkCodePage = 936;

std::wstring ToWide(UINT codePage, const char* text) {
    if (!text || !*text) {
        return {};
    }
    const int length = MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

}  // namespace

std::wstring GbkToWide(const char* gbk) {
    return ToWide(kGbkCodePage, gbk);
}

std::wstring AnsiToWide(const char* ansi) {
    return ToWide(CP_ACP, ansi);
}

bool SetWindowTextGbk(HWND window, const char* gbk) {
    return SetWindowTextW(window, GbkToWide(gbk).c_str()) != 0;
}
