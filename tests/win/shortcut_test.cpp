#include "install/Shortcut_win.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "tests/win/WineTestSupport_win.h"

namespace {

using wintest::Content;
using wintest::MakeFolder;

void WriteFile(const std::string& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(wintest::WriteWholeFile(path, bytes)) << path;
    SetFileAttributesA(path.c_str(), attributes);
}

struct LinkProperties {
    HRESULT loaded = E_FAIL;
    std::string target, arguments, workingFolder, description, iconFile;
    int iconIndex = -1;
};

// The show command as the file holds it (header offset 0x3C). The shell's reader turns any value
// other than 1, 3 and 7 into 1 on loading, so it can't tell what was written.
DWORD StoredShowCommand(const std::string& shortcutFile) {
    const std::string bytes = Content(shortcutFile);
    DWORD value = 0xFFFFFFFF;
    if (bytes.size() >= 0x40) {
        std::memcpy(&value, bytes.data() + 0x3C, sizeof value);
    }
    return value;
}

// Reads a shortcut back through the shell's own link object.
LinkProperties ReadLink(const std::string& shortcutFile) {
    LinkProperties properties;
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t name[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, shortcutFile.c_str(), -1, name, MAX_PATH);
        properties.loaded = persist->Load(name, STGM_READ);
        char text[1024];
        auto read = [&](auto get) {
            text[0] = '\0';
            get();
            return std::string(text);
        };
        properties.target = read([&] { link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH); });
        properties.arguments = read([&] { link->GetArguments(text, sizeof text); });
        properties.workingFolder = read([&] { link->GetWorkingDirectory(text, sizeof text); });
        properties.description = read([&] { link->GetDescription(text, sizeof text); });
        properties.iconFile = read([&] { link->GetIconLocation(text, sizeof text, &properties.iconIndex); });
    }
    if (persist) {
        persist->Release();
    }
    if (link) {
        link->Release();
    }
    CoUninitialize();
    return properties;
}

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = MakeFolder(scratch / "Vectrace\\") + "Vectrace.exe";
        MakeFolder(scratch / "Vectrace\\QTXRes\\");
        icon = scratch.Path() + "Vectrace\\QTXRes\\title.ico";
        WriteFile(program, "MZ");
        WriteFile(icon, "ico");
    }

    wintest::TempFolder scratch;
    std::string program;
    std::string icon;
};

TEST_F(ShortcutTest, WithIconWritesTargetDescriptionIconAndNothingElse) {
    const std::string shortcut = scratch.Path() + "Vectrace.lnk";

    EXPECT_EQ(CreateShortcutWithIcon(program, shortcut, program, icon), S_OK);

    const LinkProperties link = ReadLink(shortcut);
    ASSERT_EQ(link.loaded, S_OK);
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.description, program);
    EXPECT_EQ(link.iconFile, icon);
    EXPECT_EQ(link.iconIndex, 0);
    EXPECT_EQ(StoredShowCommand(shortcut), static_cast<DWORD>(SW_SHOW));
    EXPECT_EQ(link.arguments, "");
    EXPECT_EQ(link.workingFolder, "");
}

TEST_F(ShortcutTest, WithoutIconHasNoIconLocation) {
    const std::string uninstaller = scratch.Path() + "Vectrace\\Uninstall.exe";
    const std::string shortcut = scratch.Path() + "Uninstall.lnk";

    EXPECT_EQ(CreateShortcut(uninstaller, shortcut, program), S_OK);

    const LinkProperties link = ReadLink(shortcut);
    ASSERT_EQ(link.loaded, S_OK);
    EXPECT_EQ(link.target, uninstaller);  // a target that does not exist is stored all the same
    EXPECT_EQ(link.description, program);
    EXPECT_EQ(link.iconFile, "");
    EXPECT_EQ(StoredShowCommand(shortcut), static_cast<DWORD>(SW_SHOW));
}

TEST_F(ShortcutTest, ExistingShortcutIsOverwritten) {
    const std::string shortcut = scratch.Path() + "Vectrace.lnk";
    WriteFile(shortcut, "not a link at all, and longer than nothing");
    EXPECT_EQ(CreateShortcutWithIcon(icon, shortcut, "first", icon), S_OK);

    EXPECT_EQ(CreateShortcut(program, shortcut, "second"), S_OK);

    const LinkProperties link = ReadLink(shortcut);
    ASSERT_EQ(link.loaded, S_OK);
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.description, "second");
    EXPECT_EQ(link.iconFile, "");
}

TEST_F(ShortcutTest, FailedSaveReturnsItsFailureAndWritesNothing) {
    const struct {
        const char* why;
        std::string shortcut;
        HRESULT expected;  // S_OK: any failure code will do
    } cases[] = {
        {"folder missing", scratch.Path() + "Programs\\Vectrace\\Vectrace.lnk", S_OK},
        {"name the file system rejects", scratch.Path() + "Vec|trace.lnk", S_OK},
        {"name longer than the buffer", scratch.Path() + std::string(300, 'v') + ".lnk",
         HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const HRESULT withIcon = CreateShortcutWithIcon(program, c.shortcut, program, icon);
        const HRESULT plain = CreateShortcut(program, c.shortcut, program);
        EXPECT_TRUE(FAILED(withIcon)) << std::hex << withIcon;
        EXPECT_TRUE(FAILED(plain)) << std::hex << plain;
        if (c.expected != S_OK) {
            EXPECT_EQ(withIcon, c.expected);
            EXPECT_EQ(plain, c.expected);
        }
        EXPECT_FALSE(wintest::Exists(c.shortcut));
    }
}

// A caller whose thread already lives in the multi-threaded apartment keeps its component library.
TEST_F(ShortcutTest, CallerInAnotherApartmentKeepsIt) {
    ASSERT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);

    EXPECT_EQ(CreateShortcutWithIcon(program, scratch.Path() + "Vectrace.lnk", program, icon), S_OK);

    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_FALSE);  // still initialised
    CoUninitialize();
    CoUninitialize();
}

}  // namespace
