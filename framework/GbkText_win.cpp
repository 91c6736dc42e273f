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

std::string WideToUtf8(const std::wstring& text) {
    if (text.empty()) {
        return std::string();
    }
    const int length =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) {
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                            nullptr);
    }
    return bytes;
}

bool SetWindowTextGbk(HWND window, const char* gbk) {
    return SetWindowTextW(window, GbkToWide(gbk).c_str()) != 0;
}
