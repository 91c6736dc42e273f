#include "app/commandline/CommandLineSplit.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLineSplit, ArgumentsAsWindowsProgramsReadThem) {
    struct Case {
        const wchar_t* line;
        std::vector<std::wstring> arguments;
    };
    const Case cases[] = {
        {L"", {}},
        {L"VtSetup.exe", {L"VtSetup.exe"}},
        {L"VtSetup.exe   ", {L"VtSetup.exe"}},
        {L"\"C:\\Setup Files\\VtSetup.exe\" /SILENT", {L"C:\\Setup Files\\VtSetup.exe", L"/SILENT"}},
        // The program name keeps its backslashes, even before a quote, and ends at the next quote.
        {L"\"C:\\dir\\\" /a", {L"C:\\dir\\", L"/a"}},
        {L"\"a b\"c d", {L"a b", L"c", L"d"}},
        // Quoted whole, or only after the "=".
        {L"x \"/DIR=C:\\My Folder\"", {L"x", L"/DIR=C:\\My Folder"}},
        {L"x /DIR=\"C:\\My Folder\"", {L"x", L"/DIR=C:\\My Folder"}},
        {L"x /DIR=\"C:\\My Folder\" /LOG=c:\\l.txt", {L"x", L"/DIR=C:\\My Folder", L"/LOG=c:\\l.txt"}},
        // Spaces and tabs separate; runs of them count as one.
        {L"x a\t \tb  ", {L"x", L"a", L"b"}},
        {L"x \"\"", {L"x", L""}},
        {L"x \"\" b", {L"x", L"", L"b"}},
        // Backslashes are plain unless a quote follows them.
        {L"x C:\\a\\\\b\\", {L"x", L"C:\\a\\\\b\\"}},
        {L"x a\\\"b", {L"x", L"a\"b"}},
        {L"x a\\\\\"b c\" d", {L"x", L"a\\b c", L"d"}},
        {L"x a\\\\\\\"b c", {L"x", L"a\\\"b", L"c"}},
        // The usual mistake: a backslash before the closing quote makes it a literal one.
        {L"x /DIR=\"C:\\My Folder\\\" /SILENT", {L"x", L"/DIR=C:\\My Folder\" /SILENT"}},
        {L"x /DIR=\"C:\\My Folder\\\\\" /SILENT", {L"x", L"/DIR=C:\\My Folder\\", L"/SILENT"}},
        // Runs of quotes count in threes with the quote that opened the quoted part.
        {L"x \"\"\"a\"\"\" b", {L"x", L"\"a\"", L"b"}},
        {L"x \"a\"\"b\" c", {L"x", L"a\"b c"}},
        {L"x \"a\"\"\"b\" c", {L"x", L"a\"b", L"c"}},
        {L"x a\"\"b c", {L"x", L"ab", L"c"}},
        // An open quote runs to the end of the line.
        {L"x \"a b", {L"x", L"a b"}},
        // Characters beyond ASCII pass through as they are.
        {L"x /DIR=C:\\\x4e2d\x6587 /LANG=1", {L"x", L"/DIR=C:\\\x4e2d\x6587", L"/LANG=1"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cmdline::SplitCommandLine(c.line), c.arguments) << testing::PrintToString(std::wstring(c.line));
    }
}

}  // namespace
