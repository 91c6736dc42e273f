#include "tools/uidriver/ScenarioRunner_win.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <stdexcept>
#include <vector>

#include "tools/uidriver/ScenarioWords_win.h"
#include "tools/uidriver/UiDriver_win.h"

namespace uidriver {

namespace {

constexpr DWORD kDefaultTimeoutMs = 5000;
constexpr DWORD kSettleMs = 2000;
// The first window of a run waits for Wine to start the program.
constexpr DWORD kStartTimeoutMs = 30000;

struct StepFailed : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ScenarioSkipped : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int ToInt(const std::string& text) {
    try {
        size_t used = 0;
        const int value = std::stoi(text, &used, 0);
        if (used == text.size()) {
            return value;
        }
    } catch (const std::exception&) {
    }
    throw StepFailed("not a number: " + text);
}

std::string Quote(const std::wstring& text) {
    return "\"" + WideToUtf8(text) + "\"";
}

class Runner {
public:
    Runner() {
        Add("stage", 1, [this](const Args& a) { Stage(a); });
        Add("use", 1, [this](const Args& a) { Use(a); });
        Add("write", 2, [this](const Args& a) { Write(a[1], a[2]); });
        Add("wait-file", 1, [this](const Args& a) { WaitFile(a); });
        Add("start", 0, [this](const Args& a) { Start(a); });
        Add("window", 1, [this](const Args& a) { FindWindow(a); });
        Add("select", 2, [this](const Args& a) { SelectComboEntry(Current(), ToInt(a[1]), ToInt(a[2])); });
        Add("click", 1, [this](const Args& a) { ClickButton(Current(), ToInt(a[1])); });
        Add("mouse-click", 1, [this](const Args& a) { MouseClickStep(a); });
        Add("move", 2, [this](const Args& a) { MoveBy(Current(), ToInt(a[1]), ToInt(a[2])); });
        Add("check", 2, [this](const Args& a) { SetCheck(Current(), ToInt(a[1]), ToInt(a[2]) != 0); });
        Add("type", 2, [this](const Args& a) { TypeText(Current(), ToInt(a[1]), Utf8ToWide(a[2])); });
        Add("syscommand", 1, [this](const Args& a) { PostSystemCommand(Current(), static_cast<WPARAM>(ToInt(a[1]))); });
        Add("expect-caption", 1, [this](const Args& a) { ExpectText(Caption(Current()), a[1]); });
        Add("expect-text", 2, [this](const Args& a) { ExpectText(ControlText(Current(), ToInt(a[1])), a[2]); });
        Add("expect-text-starts", 2,
            [this](const Args& a) { ExpectPrefix(ControlText(Current(), ToInt(a[1])), a[2]); });
        Add("wait-text-starts", 2, [this](const Args& a) { WaitTextStarts(a); });
        Add("expect-enabled", 2,
            [this](const Args& a) { ExpectFlag("enabled", ControlEnabled(Current(), ToInt(a[1])), a[2]); });
        Add("expect-window-enabled", 1,
            [this](const Args& a) { ExpectFlag("enabled", IsWindowEnabled(Current()) != FALSE, a[1]); });
        Add("expect-visible", 2,
            [this](const Args& a) { ExpectFlag("visible", ControlVisible(Current(), ToInt(a[1])), a[2]); });
        Add("expect-checked", 2,
            [this](const Args& a) { ExpectFlag("checked", ControlChecked(Current(), ToInt(a[1])), a[2]); });
        Add("expect-selection", 2, [this](const Args& a) { ExpectSelection(a); });
        Add("expect-entry", 3, [this](const Args& a) { ExpectEntry(a); });
        Add("expect-entries", 1, [this](const Args& a) { ExpectEntries(a); });
        Add("expect-progress", 3, [this](const Args& a) { ExpectProgress(a); });
        Add("progress-rises", 1, [this](const Args& a) { ProgressRises(a); });
        Add("msgbox", 1, [this](const Args& a) { MessageBoxStep(a, false); });
        Add("msgbox-starts", 1, [this](const Args& a) { MessageBoxStep(a, true); });
        Add("msgbox-open", 1, [this](const Args& a) { m_box = WaitForBox(a, false); });
        Add("answer", 1, [this](const Args& a) { Answer(ToInt(a[1])); });
        Add("no-msgbox", 1, [this](const Args& a) { NoMessageBox(a); });
        Add("no-window", 1, [this](const Args& a) { NoWindow(a); });
        Add("closed", 0, [this](const Args& a) { Closed(a); });
        Add("exited", 0, [this](const Args& a) { Exited(a); });
        Add("exit-code", 1, [this](const Args& a) { ExitCode(a); });
        Add("screenshot", 1, [this](const Args& a) { Screenshot(a[1]); });
        Add("print", 1,
            [this](const Args& a) { std::printf("%s\n", Quote(ControlText(Current(), ToInt(a[1]))).c_str()); });
        Add("sleep", 1, [](const Args& a) { Sleep(static_cast<DWORD>(ToInt(a[1]))); });
    }

    int Run(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::printf("%s: cannot read the scenario\n", path.c_str());
            return 1;
        }
        std::string line;
        int number = 0;
        int steps = 0;
        while (std::getline(file, line)) {
            ++number;
            const Args args = SplitWords(line);
            if (args.empty()) {
                continue;
            }
            try {
                const DWORD start = GetTickCount();
                Execute(args);
                ++steps;
                if (m_trace) {
                    std::printf("%6lu ms  %s\n", GetTickCount() - start, line.c_str());
                }
            } catch (const ScenarioSkipped& skipped) {
                std::printf("%s:%d: skipped: %s\n", path.c_str(), number, skipped.what());
                return kScenarioSkipped;
            } catch (const std::exception& error) {
                std::printf("%s:%d: FAILED: %s\n    %s\n", path.c_str(), number, line.c_str(), error.what());
                DescribeWindows();
                return 1;
            }
        }
        std::printf("%s: %d steps passed\n", path.c_str(), steps);
        return 0;
    }

private:
    using Args = std::vector<std::string>;
    struct Command {
        size_t minArgs;
        std::function<void(const Args&)> run;
    };

    void Add(const std::string& name, size_t minArgs, std::function<void(const Args&)> run) {
        m_commands[name] = Command{minArgs, std::move(run)};
    }

    void Execute(const Args& args) {
        const auto command = m_commands.find(args[0]);
        if (command == m_commands.end()) {
            throw StepFailed("unknown command");
        }
        if (args.size() < command->second.minArgs + 1) {
            throw StepFailed("too few arguments");
        }
        // The target handles posted commands in its own time: an expectation holds once it holds
        // within the settle time.
        if (args[0].rfind("expect-", 0) != 0) {
            command->second.run(args);
            return;
        }
        const DWORD start = GetTickCount();
        for (;;) {
            try {
                command->second.run(args);
                return;
            } catch (const StepFailed& failure) {
                // A window whose thread is busy gives no answer, which says nothing about it yet: that
                // is waited out as long as a program's first window is.
                const bool unanswered = std::strstr(failure.what(), "<no answer>") != nullptr;
                if (GetTickCount() - start >= (unanswered ? kStartTimeoutMs : kSettleMs)) {
                    throw;
                }
            }
            Sleep(25);
        }
    }

    HWND Current() const {
        if (!m_current || !IsWindow(m_current)) {
            throw StepFailed("no current window (use: window CAPTION)");
        }
        return m_current;
    }

    DWORD Timeout(const Args& a, size_t index, DWORD fallback) const {
        return a.size() > index ? static_cast<DWORD>(ToInt(a[index])) : fallback;
    }

    void Stage(const Args& a) {
        m_stageFolder = ToWindowsPath(a[1]);
        m_exeName = a.size() > 2 ? a[2] : "VtSetup.exe";
        const std::string source = NewestSetup();
        // A fresh folder: remove what an earlier run left (flat; the setup shell writes no folders).
        WIN32_FIND_DATAW entry;
        HANDLE search = FindFirstFileW(Utf8ToWide(m_stageFolder + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                    DeleteFileW((Utf8ToWide(m_stageFolder + "\\") + entry.cFileName).c_str());
                }
            } while (FindNextFileW(search, &entry));
            FindClose(search);
        }
        SHCreateFolders(m_stageFolder);
        if (!CopyFileW(Utf8ToWide(source).c_str(), Utf8ToWide(StagedPath(m_exeName)).c_str(), FALSE)) {
            throw StepFailed("cannot copy " + source + " to " + StagedPath(m_exeName) + ": " +
                             SystemErrorWords(GetLastError()));
        }
    }

    // VT_SETUP_EXE names the setup, or several builds of it separated by "|" (the distribution's and
    // the bare program's): the newest one is the one to test.
    static std::string NewestSetup() {
        const std::string list = Environment("VT_SETUP_EXE");
        std::string newest;
        FILETIME newestTime{};
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find('|', start);
            if (end == std::string::npos) {
                end = list.size();
            }
            const std::string candidate = ToWindowsPath(list.substr(start, end - start));
            WIN32_FILE_ATTRIBUTE_DATA data;
            if (!candidate.empty() &&
                GetFileAttributesExW(Utf8ToWide(candidate).c_str(), GetFileExInfoStandard, &data) &&
                (newest.empty() || CompareFileTime(&data.ftLastWriteTime, &newestTime) > 0)) {
                newest = candidate;
                newestTime = data.ftLastWriteTime;
            }
            start = end + 1;
        }
        if (newest.empty()) {
            throw StepFailed("VT_SETUP_EXE names no existing setup: " + list);
        }
        return newest;
    }

    // Runs a setup where it lies, with what lies beside it; a folder without it skips the scenario.
    void Use(const Args& a) {
        m_stageFolder = ToWindowsPath(a[1]);
        m_exeName = a.size() > 2 ? a[2] : "VtSetup.exe";
        if (GetFileAttributesW(Utf8ToWide(StagedPath(m_exeName)).c_str()) == INVALID_FILE_ATTRIBUTES) {
            throw ScenarioSkipped(StagedPath(m_exeName) + " does not exist");
        }
    }

    static void SHCreateFolders(const std::string& folder) {
        for (size_t i = 3; i <= folder.size(); ++i) {
            if (i == folder.size() || folder[i] == '\\') {
                CreateDirectoryW(Utf8ToWide(folder.substr(0, i)).c_str(), nullptr);
            }
        }
    }

    std::string StagedPath(const std::string& name) const {
        if (m_stageFolder.empty()) {
            throw StepFailed("nothing staged (use: stage DIR)");
        }
        return m_stageFolder + "\\" + name;
    }

    void Write(const std::string& name, const std::string& text) {
        const std::wstring path = Utf8ToWide(StagedPath(name));
        HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        const bool ok = file != INVALID_HANDLE_VALUE &&
                        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                        written == text.size();
        const DWORD error = ok ? ERROR_SUCCESS : GetLastError();
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        if (!ok) {
            throw StepFailed("cannot write " + StagedPath(name) + ": " + SystemErrorWords(error));
        }
    }

    // The test script outside says by a file that it has done its part (while the setup runs).
    void WaitFile(const Args& a) {
        const std::wstring path = Utf8ToWide(StagedPath(a[1]));
        const DWORD timeoutMs = a.size() > 2 ? static_cast<DWORD>(ToInt(a[2])) : 30000;
        for (const DWORD started = GetTickCount(); GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;) {
            if (GetTickCount() - started > timeoutMs) {
                throw StepFailed("no " + StagedPath(a[1]) + " within " + std::to_string(timeoutMs) + " ms");
            }
            Sleep(50);
        }
    }

    // The words after "start" make the command line, joined by single spaces.
    void Start(const Args& a) {
        std::string arguments;
        for (size_t i = 1; i < a.size(); ++i) {
            arguments += (i > 1 ? " " : "") + a[i];
        }
        if (!m_process.Start(StagedPath(m_exeName), m_stageFolder, arguments)) {
            throw StepFailed("cannot start " + StagedPath(m_exeName) + ": " + SystemErrorWords(m_process.StartError()));
        }
        m_firstWindow = true;
    }

    void RequireProcess() const {
        if (!m_process.Id()) {
            throw StepFailed("the setup was not started (use: start)");
        }
    }

    void FindWindow(const Args& a) {
        RequireProcess();
        const DWORD timeout = Timeout(a, 2, m_firstWindow ? kStartTimeoutMs : kDefaultTimeoutMs);
        // In slices, so a setup that ended or crashed fails the step at once instead of at the timeout.
        const std::wstring caption = Utf8ToWide(a[1]);
        const DWORD start = GetTickCount();
        HWND window = nullptr;
        while (!window && GetTickCount() - start < timeout) {
            window = WaitForWindow(m_process.Id(), caption, 250);
            if (!window && !m_process.Running()) {
                throw StepFailed("the setup ended (exit code " + std::to_string(m_process.WaitForExit(0)) + ")");
            }
        }
        if (!window) {
            throw StepFailed("no window with that caption within " + std::to_string(timeout) + " ms");
        }
        m_firstWindow = false;
        m_current = window;
        m_known.push_back(window);
    }

    static void ExpectText(const std::wstring& actual, const std::string& expected) {
        if (actual != Utf8ToWide(expected)) {
            throw StepFailed("expected \"" + expected + "\", found " + Quote(actual));
        }
    }

    static void ExpectPrefix(const std::wstring& actual, const std::string& expected) {
        if (actual.rfind(Utf8ToWide(expected), 0) != 0) {
            throw StepFailed("expected a text starting \"" + expected + "\", found " + Quote(actual));
        }
    }

    static void ExpectFlag(const char* what, bool actual, const std::string& expected) {
        if (actual != (ToInt(expected) != 0)) {
            throw StepFailed(std::string(what) + " is " + (actual ? "1" : "0"));
        }
    }

    void ExpectSelection(const Args& a) {
        const int actual = ComboSelection(Current(), ToInt(a[1]));
        if (actual != ToInt(a[2])) {
            throw StepFailed("selection is " + std::to_string(actual));
        }
    }

    void ExpectEntry(const Args& a) {
        const std::vector<std::wstring> entries = ComboEntries(Current(), ToInt(a[1]));
        const int position = ToInt(a[2]);
        if (position < 0 || static_cast<size_t>(position) >= entries.size()) {
            throw StepFailed("the list has " + std::to_string(entries.size()) + " entries");
        }
        ExpectText(entries[static_cast<size_t>(position)], a[3]);
    }

    void ExpectEntries(const Args& a) {
        const std::vector<std::wstring> entries = ComboEntries(Current(), ToInt(a[1]));
        std::vector<std::wstring> expected;
        for (size_t i = 2; i < a.size(); ++i) {
            expected.push_back(Utf8ToWide(a[i]));
        }
        if (entries != expected) {
            std::string found;
            for (const std::wstring& entry : entries) {
                found += " " + Quote(entry);
            }
            throw StepFailed("the list holds" + found);
        }
    }

    void ExpectProgress(const Args& a) {
        const int position = ProgressPosition(Current(), ToInt(a[1]));
        if (position < ToInt(a[2]) || position > ToInt(a[3])) {
            throw StepFailed("progress is " + std::to_string(position));
        }
    }

    // Read once, then again until it stands further on: the work moves while it is watched.
    // A text that comes when the program gets there, as a phase that lasts as long as the machine is
    // slow ends: waited for, not expected within the settle time.
    void WaitTextStarts(const Args& a) {
        const int id = ToInt(a[1]);
        const DWORD timeout = Timeout(a, 3, kStartTimeoutMs);
        const DWORD start = GetTickCount();
        for (;;) {
            const std::wstring text = ControlText(Current(), id);
            if (text.rfind(Utf8ToWide(a[2]), 0) == 0) {
                return;
            }
            if (GetTickCount() - start >= timeout) {
                throw StepFailed("waited for a text starting \"" + a[2] + "\", found " + Quote(text));
            }
            Sleep(50);
        }
    }

    void ProgressRises(const Args& a) {
        const int id = ToInt(a[1]);
        const DWORD timeout = Timeout(a, 2, kDefaultTimeoutMs);
        const int first = ProgressPosition(Current(), id);
        const DWORD start = GetTickCount();
        for (;;) {
            Sleep(50);
            const int now = ProgressPosition(Current(), id);
            if (now > first) {
                std::printf("progress %d, then %d\n", first, now);
                return;
            }
            if (GetTickCount() - start >= timeout) {
                throw StepFailed("progress stayed at " + std::to_string(first) + " for " + std::to_string(timeout) +
                                 " ms");
            }
        }
    }

    // A text that names a file and a system reason is compared by its fixed beginning.
    // A message box whose text (and title) are as given, left open.
    HWND WaitForBox(const Args& a, bool prefixOnly) {
        RequireProcess();
        const DWORD timeout = Timeout(a, 3, kDefaultTimeoutMs);
        HWND box = WaitForMessageBox(m_process.Id(), m_known, timeout);
        if (!box) {
            throw StepFailed("no message box within " + std::to_string(timeout) + " ms");
        }
        const std::wstring text = MessageBoxText(box);
        std::printf("message box %s: %s\n", Quote(Caption(box)).c_str(), Quote(text).c_str());
        if (prefixOnly) {
            ExpectPrefix(text, a[1]);
        } else {
            ExpectText(text, a[1]);
        }
        if (a.size() > 2) {
            ExpectText(Caption(box), a[2]);
        }
        return box;
    }

    // Presses a button of the box msgbox-open left open, as a click on it does.
    void Answer(int id) {
        if (!m_box || !IsWindow(m_box)) {
            throw StepFailed("no message box is open (msgbox-open)");
        }
        PressButton(m_box, id);
        if (!WaitUntilClosed(m_box, kDefaultTimeoutMs)) {
            throw StepFailed("the message box did not close");
        }
        m_box = nullptr;
    }

    void MessageBoxStep(const Args& a, bool prefixOnly) {
        HWND box = WaitForBox(a, prefixOnly);
        DismissMessageBox(box);
        if (!WaitUntilClosed(box, kDefaultTimeoutMs)) {
            throw StepFailed("the message box did not close");
        }
    }

    void NoMessageBox(const Args& a) {
        RequireProcess();
        if (HWND box = WaitForMessageBox(m_process.Id(), m_known, static_cast<DWORD>(ToInt(a[1])))) {
            throw StepFailed("a message box showed: " + Quote(MessageBoxText(box)));
        }
    }

    void NoWindow(const Args& a) {
        RequireProcess();
        if (WaitForWindow(m_process.Id(), Utf8ToWide(a[1]), Timeout(a, 2, 0))) {
            throw StepFailed("the window is open");
        }
    }

    void Closed(const Args& a) {
        if (!WaitUntilClosed(m_current, Timeout(a, 1, kDefaultTimeoutMs))) {
            throw StepFailed("the window is still open");
        }
        m_current = nullptr;
    }

    void Exited(const Args& a) {
        RequireProcess();
        if (m_process.WaitForExit(Timeout(a, 1, kDefaultTimeoutMs)) < 0) {
            throw StepFailed("the setup is still running");
        }
    }

    // A window moved aside a moment ago may still be on its way: the click waits for a free point.
    void MouseClickStep(const Args& a) {
        RequireProcess();
        const DWORD start = GetTickCount();
        while (!MouseClick(Current(), ToInt(a[1]), ProcessWindows(m_process.Id()))) {
            if (GetTickCount() - start >= kDefaultTimeoutMs) {
                throw StepFailed("no uncovered point of the control to click");
            }
            Sleep(50);
        }
    }

    // Waits for the setup to end and compares its exit code.
    void ExitCode(const Args& a) {
        RequireProcess();
        const long code = m_process.WaitForExit(Timeout(a, 2, kDefaultTimeoutMs));
        if (code < 0) {
            throw StepFailed("the setup is still running");
        }
        if (code != ToInt(a[1])) {
            throw StepFailed("exit code " + std::to_string(code));
        }
    }

    void Screenshot(const std::string& file) {
        HWND window = Current();
        SetForegroundWindow(window);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Sleep(400);  // the target paints in its own time
        if (!SaveWindowBitmap(window, ToWindowsPath(file))) {
            throw StepFailed("cannot save " + file);
        }
    }

    void DescribeWindows() const {
        if (!m_process.Id()) {
            return;
        }
        for (HWND window : ProcessWindows(m_process.Id())) {
            std::printf("    open window %s\n", Quote(Caption(window)).c_str());
        }
    }

    std::map<std::string, Command> m_commands;
    const bool m_trace = !Environment("VT_UI_TRACE").empty();
    TargetProcess m_process;
    std::string m_stageFolder;
    std::string m_exeName = "VtSetup.exe";
    HWND m_current = nullptr;
    HWND m_box = nullptr;  // left open by msgbox-open for answer
    std::vector<HWND> m_known;
    bool m_firstWindow = true;
};

}  // namespace

int RunScenarioFile(const std::string& path) {
    Runner runner;
    return runner.Run(ToWindowsPath(path));
}

}  // namespace uidriver
