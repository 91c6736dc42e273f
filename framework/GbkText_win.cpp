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

bool WideToAnsiExactly(const std::wstring& text, std::string& ansi) {
    ansi.clear();
    if (text.empty()) {
        return true;
    }
    const UINT codePage = GetACP();
    // No best fit: a look-alike (a full-width "\uFF3C" for "\\") would name another file. A system that
    // uses UTF-8 as its code page holds every character, and the call takes no flags then.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0) {
        return false;
    }
    ansi.resize(static_cast<size_t>(length));
    WideCharToMultiByte(codePage, flags, text.data(), size, ansi.data(), length, nullptr, usedDefaultOut);
    return !usedDefault;
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
