#include "app/CommandLine_win.h"

#include <windows.h>

#include <vector>

#include "app/CommandLineSplit.h"

namespace {

// False when a character has no form in the system code page.
bool ToSystemCodePage(const std::wstring& text, std::string* out) {
    out->clear();
    if (text.empty()) {
        return true;
    }
    const UINT codePage = GetACP();
    // A system that uses UTF-8 as its code page holds every character, and the call takes no flags then.
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = codePage == CP_UTF8 ? nullptr : &usedDefault;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, usedDefaultOut);
    if (length <= 0) {
        return false;
    }
    out->resize(static_cast<size_t>(length));
    WideCharToMultiByte(codePage, flags, text.data(), size, out->data(), length, nullptr, usedDefaultOut);
    return !usedDefault;
}

}  // namespace

switches::ParseResult ParseCommandLine(const std::wstring& line) {
    std::vector<std::wstring> wide = cmdline::SplitCommandLine(line);
    std::vector<std::string> arguments;
    std::string refused;
    for (size_t i = 1; i < wide.size(); ++i) {
        std::string argument;
        if (!ToSystemCodePage(wide[i], &argument) && refused.empty()) {
            char codePage[16];
            wsprintfA(codePage, "%u", GetACP());
            refused = "The argument \"" + argument + "\" holds characters that the system code page (" + codePage +
                      ") cannot write";
        }
        arguments.push_back(argument);
    }
    switches::ParseResult result = switches::ParseSwitches(arguments);
    if (!refused.empty()) {
        result.error = refused;
    }
    return result;
}

std::wstring RunningCommandLine() {
    const wchar_t* line = GetCommandLineW();
    return line ? std::wstring(line) : std::wstring();
}
