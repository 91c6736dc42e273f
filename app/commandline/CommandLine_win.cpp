#include "app/commandline/CommandLine_win.h"

#include <windows.h>

#include <vector>

#include "app/commandline/CommandLineSplit.h"
#include "framework/GbkText_win.h"
#include "framework/SystemLeadByte_win.h"

switches::ParseResult ParseCommandLine(const std::wstring& line) {
    std::vector<std::wstring> wide = cmdline::SplitCommandLine(line);
    std::vector<std::string> arguments;
    std::string refused;
    for (size_t i = 1; i < wide.size(); ++i) {
        std::string argument;
        if (!WideToAnsiExactly(wide[i], argument) && refused.empty()) {
            char codePage[16];
            wsprintfA(codePage, "%u", GetACP());
            refused = "The argument \"" + argument + "\" holds characters that the system code page (" + codePage +
                      ") cannot write";
        }
        arguments.push_back(argument);
    }
    switches::ParseResult result = switches::ParseSwitches(arguments, IsSystemLeadByte);
    if (!refused.empty()) {
        result.error = refused;
    }
    return result;
}

std::wstring RunningCommandLine() {
    const wchar_t* line = GetCommandLineW();
    return line ? std::wstring(line) : std::wstring();
}
