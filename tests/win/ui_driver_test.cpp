// The UI driver's own failures: a scenario whose program cannot start says why, as the system says it,
// so a run that failed once in many can be told apart from another.
#include "tools/uidriver/UiDriver_win.h"

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "tests/win/WineTestSupport_win.h"
#include "tools/uidriver/ScenarioRunner_win.h"

namespace {

using wintest::TempFolder;

// The system's text for an error, asked here on its own.
std::wstring SystemText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result(text ? text : L"", length);
    LocalFree(text);
    return result.substr(0, result.find_last_not_of(L"\r\n ") + 1);
}

// A scenario word that holds a path as it is, quoted and escaped.
std::string Quoted(const std::string& path) {
    std::string word = "\"";
    for (const char c : path) {
        word += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return word + "\"";
}

// A file under the setup's name that is no program: the start fails, and the failed step says with
// which error, in the words the system has for it.
TEST(UiDriver, StartFailureNamesTheSystemsErrorAndItsText) {
    TempFolder temp;
    const std::string folder = temp.Path().substr(0, temp.Path().size() - 1);
    const std::string notAProgram = folder + "\\VtSetup.exe";
    ASSERT_TRUE(wintest::WriteWholeFile(notAProgram, "not a program"));
    uidriver::TargetProcess direct;
    ASSERT_FALSE(direct.Start(notAProgram, folder));
    const DWORD error = direct.StartError();
    ASSERT_NE(error, static_cast<DWORD>(ERROR_SUCCESS));
    const std::string text = uidriver::WideToUtf8(SystemText(error));
    ASSERT_FALSE(text.empty()) << "the system has no text for error " << error;
    EXPECT_EQ(uidriver::SystemErrorWords(error), "error " + std::to_string(error) + ": " + text);

    const std::string scenario = temp / "start.scn";
    ASSERT_TRUE(wintest::WriteWholeFile(scenario, "use " + Quoted(folder) + "\nstart\n"));
    testing::internal::CaptureStdout();
    const int result = uidriver::RunScenarioFile(scenario);
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, 1) << printed;
    EXPECT_NE(printed.find("cannot start " + notAProgram + ": error " + std::to_string(error) + ": " + text),
              std::string::npos)
        << printed;
}

}  // namespace
