// The driver files placed on real files under Wine, with the Windows version set per program as a user
// would see it, in the 32-bit prefix and in the 64-bit one where the 32-bit setup runs under WOW64.

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "drivers/DriverPlacementPlan.h"
#include "drivers/DriverPlacement_win.h"
#include "drivers/NativeFileSystem_win.h"
#include "drivers/SystemInfo_win.h"
#include "tests/win/WineTestSupport_win.h"

namespace {

using drivers::WindowsVersion;

const char* const kRunner = "place_driver_files_runner.exe";

const char* const kSourceFiles[] = {
    "qtx512m.005", "qtx512u.005", "qtx512m.006", "qtx512u.006", "qtx512m2.006",  "qtx512u2.006",   "QtxWdf0.d",
    "QtxWdf1.d",   "QtxWin0.d",   "QtxWin1.d",   "ftd2xx.dll",  "UsbDriver.exe", "Usbvcommtp.inf", "Usbvcommtp.cat",
};

const std::string kStoreName = "mdmcpq.inf_x86_neutral_0123456789abcdef";
// A shorter segment first, so the scan has to pass over one.
const std::string kLog =
    "[Device Install Log]\r\n"
    ">>>  [Device Install (Hardware initiated) - USB\\VID_0403&PID_6001\\mdmcpq.inf_x86]\r\n"
    "     sto: {Setup Import Driver Package: C:\\Windows\\System32\\DriverStore\\FileRepository\\" +
    kStoreName + "\\mdmcpq.inf}\r\n";

const std::string kExistingModemInf = "existing mdmcpq.inf";
const std::string kExistingWinUsb = "existing winusbcoinstaller2.dll";

struct VersionCase {
    const char* wineName;
    WindowsVersion reported;
};

// Without supported-OS entries in the manifest, Windows 8.1 and 10 report 6.2.
const VersionCase kVersions[] = {
    {"winxp", {5, 1}}, {"vista", {6, 0}}, {"win7", {6, 1}}, {"win8", {6, 2}}, {"win10", {6, 2}},
};

std::string Content(const std::string& sourceName) {
    return "payload " + sourceName;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
    return text;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::optional<std::string> ReadBytes(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        bytes.append(buffer, got);
    }
    std::fclose(file);
    return bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Creates every missing level of a folder path ending in "\".
void MakeFolders(const std::string& folder) {
    for (std::size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    }
}

using wintest::RemoveTree;

// Every file below a folder: lower-case relative path to content.
void CollectFiles(const std::string& folder, const std::string& relative, std::map<std::string, std::string>& files) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + relative + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CollectFiles(folder, relative + name + "\\", files);
        } else {
            files[Lower(relative + name)] = ReadBytes(folder + relative + name).value_or("<unreadable>");
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

std::map<std::string, std::string> FilesBelow(const std::string& folder) {
    std::map<std::string, std::string> files;
    CollectFiles(folder, "", files);
    return files;
}

bool Is64BitPrefix() {
    const char* arch = std::getenv("VT_WINE_ARCH");
    return arch != nullptr && std::string(arch) == "win64";
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(0, full.find_last_of('\\') + 1);
}

// One argument of a command line; a trailing "\" is doubled so that it does not escape the closing quote.
std::string Quoted(const std::string& argument) {
    return "\"" + argument + (!argument.empty() && argument.back() == '\\' ? "\\" : "") + "\"";
}

// Wine reads the version a program sees from here when the program starts.
class WineVersionFor {
public:
    WineVersionFor(const char* program, const char* version)
        : m_key(std::string("Software\\Wine\\AppDefaults\\") + program) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                           static_cast<DWORD>(std::string(version).size() + 1));
            RegCloseKey(key);
        }
    }
    ~WineVersionFor() { RegDeleteKeyA(HKEY_CURRENT_USER, m_key.c_str()); }
    WineVersionFor(const WineVersionFor&) = delete;
    WineVersionFor& operator=(const WineVersionFor&) = delete;

private:
    std::string m_key;
};

struct RunnerReport {
    long major = -1;
    long minor = -1;
    int wow64 = -1;
};

// Runs the placement in the runner under the given Windows version; systemFolder empty means the
// system's own folders, through the public PlaceDriverFiles.
std::optional<RunnerReport> RunPlacement(const char* wineVersion,
                                         const std::string& sourceFolder,
                                         const std::string& systemFolder,
                                         const std::string& reportPath) {
    const WineVersionFor version(kRunner, wineVersion);
    std::string commandLine = Quoted(ProgramFolder() + kRunner) + " " + Quoted(reportPath) + " " + Quoted(sourceFolder);
    if (!systemFolder.empty()) {
        commandLine += " " + Quoted(systemFolder);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return std::nullopt;
    }
    DWORD exitCode = 1;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    RunnerReport report;
    const std::optional<std::string> text = ReadBytes(reportPath);
    if (exitCode != 0 || !text ||
        std::sscanf(text->c_str(), "%ld %ld %d", &report.major, &report.minor, &report.wow64) != 3) {
        return std::nullopt;
    }
    return report;
}

// A source folder with every serial driver file of the payload, its content naming it, and a Windows
// folder of its own with the folders the placement writes into.
class PlacementWorld {
public:
    explicit PlacementWorld(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_root = std::string(temp) + "vt_drivers_" + std::to_string(GetCurrentProcessId()) + "_" + name + "\\";
        RemoveTree(m_root);
        MakeFolders(Source());
        for (const char* file : kSourceFiles) {
            WriteBytes(Source() + file, Content(file));
        }
        MakeFolders(Windows() + "system32\\drivers\\");
        MakeFolders(Windows() + "inf\\");
    }
    ~PlacementWorld() { RemoveTree(m_root); }
    PlacementWorld(const PlacementWorld&) = delete;
    PlacementWorld& operator=(const PlacementWorld&) = delete;

    std::string Source() const { return m_root + "src\\"; }
    std::string Windows() const { return m_root + "Windows\\"; }
    std::string SystemFolder() const { return m_root + "Windows\\system32"; }
    std::string ReportPath() const { return m_root + "report.txt"; }

private:
    std::string m_root;
};

// What the Windows folder must hold afterwards: what it held, with the plan's copies made over it.
std::map<std::string, std::string> ExpectedFiles(std::map<std::string, std::string> files,
                                                 const std::vector<drivers::PlacementStep>& plan) {
    for (const drivers::PlacementStep& step : plan) {
        if (step.action != drivers::PlacementStep::Action::Copy) {
            continue;
        }
        const std::string destination = Lower(step.destination);
        if (step.existing == drivers::ExistingFile::Replace || files.count(destination) == 0) {
            files[destination] = Content(step.source);
        }
    }
    return files;
}

std::string Describe(const std::map<std::string, std::string>& before,
                     const std::map<std::string, std::string>& after) {
    std::string text;
    for (const auto& [path, content] : after) {
        const auto old = before.find(path);
        if (old == before.end() || old->second != content) {
            text += "  " + path + " <- " + content + "\n";
        }
    }
    return text;
}

TEST(PlaceDriverFiles, BitnessIsThePrefixs) {
    if (std::getenv("VT_WINE_ARCH") == nullptr) {
        GTEST_SKIP() << "VT_WINE_ARCH not set";
    }
    EXPECT_EQ(Is64BitWindows() != FALSE, Is64BitPrefix());
    // A 32-bit program knows 64-bit Windows only through WOW64.
    if (sizeof(void*) == 4) {
        EXPECT_EQ(IsWow64() != FALSE, Is64BitPrefix());
    }
    // Only a program under WOW64 has a redirection to turn off.
    EXPECT_EQ(ScopedNativeFileSystem().Active(), sizeof(void*) == 4 && Is64BitPrefix());
}

TEST(PlaceDriverFiles, PlacesWhatTheTableSaysForEachVersion) {
    const bool is64Bit = Is64BitPrefix();
    for (const VersionCase& version : kVersions) {
        SCOPED_TRACE(version.wineName);
        PlacementWorld world(version.wineName);
        MakeFolders(world.Windows() + "System32\\DriverStore\\FileRepository\\");
        WriteBytes(world.Windows() + "inf\\setupapi.dev.log", kLog);
        WriteBytes(world.Windows() + "inf\\mdmcpq.inf", kExistingModemInf);
        WriteBytes(world.Windows() + "system32\\winusbcoinstaller2.dll", kExistingWinUsb);
        const std::map<std::string, std::string> before = FilesBelow(world.Windows());

        const std::optional<RunnerReport> report =
            RunPlacement(version.wineName, world.Source(), world.SystemFolder(), world.ReportPath());
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->major, static_cast<long>(version.reported.major));
        EXPECT_EQ(report->minor, static_cast<long>(version.reported.minor));
        EXPECT_EQ(report->wow64, is64Bit ? 1 : 0);

        const std::map<std::string, std::string> after = FilesBelow(world.Windows());
        EXPECT_EQ(after, ExpectedFiles(before, drivers::PlanDriverPlacement(version.reported, is64Bit, kStoreName)));
        // The same facts by hand, independent of the table.
        EXPECT_EQ(after.at("inf\\mdmcpq.inf"), kExistingModemInf);
        EXPECT_EQ(after.at("system32\\winusbcoinstaller2.dll"), Content(is64Bit ? "QtxWin1.d" : "QtxWin0.d"));
        const std::string store = Lower("system32\\driverstore\\filerepository\\" + kStoreName + "\\");
        EXPECT_EQ(after.count(store + "usbser.sys"), std::string(version.wineName) == "win7" ? 1u : 0u);
        std::printf("%s %s placed:\n%s", is64Bit ? "64-bit" : "32-bit", version.wineName,
                    Describe(before, after).c_str());
    }
}

TEST(PlaceDriverFiles, Windows7WithoutUsableLogSkipsTheDriverStore) {
    const bool is64Bit = Is64BitPrefix();
    const std::vector<drivers::PlacementStep> withoutStore =
        drivers::PlanDriverPlacement(WindowsVersion{6, 1}, is64Bit, "");
    struct {
        const char* what;
        bool writeLog;
        bool makeRepository;
    } const cases[] = {
        {"no log", false, true},
        {"no repository folder: only its last level is created", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PlacementWorld world(c.writeLog ? "nolog" : "norepo");
        if (c.makeRepository) {
            MakeFolders(world.Windows() + "System32\\DriverStore\\FileRepository\\");
        }
        if (c.writeLog) {
            WriteBytes(world.Windows() + "inf\\setupapi.dev.log", kLog);
        }
        const std::map<std::string, std::string> before = FilesBelow(world.Windows());
        ASSERT_TRUE(RunPlacement("win7", world.Source(), world.SystemFolder(), world.ReportPath()).has_value());
        EXPECT_EQ(FilesBelow(world.Windows()), ExpectedFiles(before, withoutStore));
    }
}

TEST(FindModemDriverStoreFolder, ReadsTheLogOnlyWhenNobodyHoldsIt) {
    PlacementWorld world("log");
    const std::string log = world.Windows() + "inf\\setupapi.dev.log";
    std::string name = "untouched";
    EXPECT_FALSE(FindModemDriverStoreFolder(log, name)) << "missing";
    WriteBytes(log, "");
    EXPECT_FALSE(FindModemDriverStoreFolder(log, name)) << "empty";
    EXPECT_EQ(name, "untouched");

    WriteBytes(log, kLog);
    {
        // The log is opened without sharing, so a writer that holds it makes it unreadable.
        HANDLE holder = CreateFileA(log.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(FindModemDriverStoreFolder(log, name)) << "held";
        CloseHandle(holder);
    }
    EXPECT_EQ(name, "untouched");
    EXPECT_TRUE(FindModemDriverStoreFolder(log, name));
    EXPECT_EQ(name, kStoreName);
}

// Remembers files and folders of the prefix's own Windows folder and puts them back as they were.
class PrefixRestorer {
public:
    void Remember(const std::string& path) {
        if (m_files.count(path) == 0) {
            m_files[path] = ReadBytes(path);
        }
    }
    // Creates every missing level of the folder and removes each of them afterwards.
    void MakeFolder(const std::string& folder) {
        for (std::size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1)) {
            RemoveAfterwards(folder.substr(0, at + 1));
        }
        MakeFolders(folder);
    }
    void RemoveAfterwards(const std::string& folder) {
        if (!Exists(folder)) {
            m_folders.push_back(folder);
        }
    }
    ~PrefixRestorer() {
        for (const auto& [path, content] : m_files) {
            if (content) {
                WriteBytes(path, *content);
            } else {
                DeleteFileA(path.c_str());
            }
        }
        for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) {
            RemoveTree(*folder);
        }
    }

private:
    std::map<std::string, std::optional<std::string>> m_files;
    std::vector<std::string> m_folders;
};

// The path of a file below the Windows folder as a 64-bit program sees it: a 32-bit test under WOW64
// reaches the native "system32" as "sysnative".
std::string NativePath(const std::string& windows, const std::string& relative) {
    const bool redirected = sizeof(void*) == 4 && Is64BitPrefix();
    if (redirected && Lower(relative.substr(0, 9)) == "system32\\") {
        return windows + "sysnative\\" + relative.substr(9);
    }
    return windows + relative;
}

// The setup itself writes into the real Windows folder. On 64-bit Windows every file lands in the
// folder its table row names as a 64-bit program sees it: "system32" is the native one, and the 32-bit
// files in "syswow64" stay as they were (WOW64 would otherwise redirect the 32-bit setup's writes there).
TEST(PlaceDriverFiles, Windows7IntoThePrefixsOwnWindowsFolder) {
    const bool is64Bit = Is64BitPrefix();
    char windowsPath[MAX_PATH];
    ASSERT_GT(GetWindowsDirectoryA(windowsPath, MAX_PATH), 0u);
    const std::string windows = std::string(windowsPath) + "\\";
    PlacementWorld world("real");  // for its source folder only

    PrefixRestorer restorer;
    // A Windows 7 has these; a fresh Wine prefix may not.
    restorer.MakeFolder(NativePath(windows, "System32\\DriverStore\\FileRepository\\"));
    restorer.MakeFolder(NativePath(windows, "system32\\drivers\\"));
    restorer.RemoveAfterwards(NativePath(windows, "System32\\DriverStore\\FileRepository\\" + kStoreName + "\\"));
    const std::vector<drivers::PlacementStep> plan =
        drivers::PlanDriverPlacement(WindowsVersion{6, 1}, is64Bit, kStoreName);
    for (const drivers::PlacementStep& step : plan) {
        if (step.action == drivers::PlacementStep::Action::Copy) {
            restorer.Remember(NativePath(windows, step.destination));
            DeleteFileA(NativePath(windows, step.destination).c_str());
        }
    }
    // The 32-bit files of a 64-bit Windows, which the placement must not touch.
    const std::string kThirtyTwoBit = "a 32-bit file of the system";
    const char* const thirtyTwoBitFiles[] = {"syswow64\\WdfCoInstaller01011.dll", "syswow64\\winusbcoinstaller2.dll",
                                             "syswow64\\drivers\\usbser.sys"};
    if (is64Bit) {
        restorer.MakeFolder(windows + "syswow64\\drivers\\");
        for (const char* path : thirtyTwoBitFiles) {
            restorer.Remember(windows + path);
            WriteBytes(windows + path, kThirtyTwoBit);
        }
    }
    restorer.Remember(windows + "inf\\setupapi.dev.log");
    WriteBytes(windows + "inf\\setupapi.dev.log", kLog);
    WriteBytes(windows + "inf\\mdmcpq.inf", kExistingModemInf);

    const std::optional<RunnerReport> report = RunPlacement("win7", world.Source(), "", world.ReportPath());
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->minor, 1);

    // Every copy is where the table puts it, seen as a 64-bit program sees the folders.
    for (const drivers::PlacementStep& step : plan) {
        if (step.action == drivers::PlacementStep::Action::Copy) {
            const std::string expected =
                step.destination == "inf\\mdmcpq.inf" ? kExistingModemInf : Content(step.source);
            EXPECT_EQ(ReadBytes(NativePath(windows, step.destination)).value_or("<missing>"), expected)
                << step.destination;
        }
    }
    if (is64Bit) {
        EXPECT_EQ(ReadBytes(NativePath(windows, "system32\\WdfCoInstaller01011.dll")).value_or("<missing>"),
                  Content("QtxWdf1.d"));
        EXPECT_EQ(ReadBytes(NativePath(windows, "system32\\drivers\\usbser.sys")).value_or("<missing>"),
                  Content("qtx512u2.006"));
        for (const char* path : thirtyTwoBitFiles) {
            EXPECT_EQ(ReadBytes(windows + path).value_or("<missing>"), kThirtyTwoBit) << path;
        }
        EXPECT_FALSE(Exists(windows + "syswow64\\DriverStore\\FileRepository\\" + kStoreName));
    } else {
        EXPECT_EQ(ReadBytes(windows + "system32\\WdfCoInstaller01011.dll").value_or("<missing>"), Content("QtxWdf0.d"));
        EXPECT_EQ(ReadBytes(windows + "system32\\drivers\\usbser.sys").value_or("<missing>"), Content("qtx512u.006"));
    }
}

}  // namespace
