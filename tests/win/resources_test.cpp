// The dialog templates as the setup loads them: each template's size in dialog units, and every
// control at its place with its kind, so a slip in the resource script shows here.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "framework/Dialog_win.h"
#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

class TemplateWindow : public CDialog {
public:
    explicit TemplateWindow(int id) : CDialog(id, nullptr) {}
    HWND Window() const { return m_hWnd; }
};

// Position and size converted apart, as the dialog manager places controls.
RECT DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT units{x, y, width, height};
    MapDialogRect(dialog, &units);
    return RECT{units.left, units.top, units.left + units.right, units.top + units.bottom};
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

TEST(Resources, TemplatesHaveTheirSizes) {
    struct Case {
        int id;
        int width;
        int height;
    };
    const Case cases[] = {{IDD_ABOUTBOX, 235, 55},
                          {IDD_VTSETUP_DIALOG, 200, 116},
                          {IDD_INSTALL_PATH, 204, 116},
                          {IDD_DRIVER_PROGRESS, 187, 68},
                          {IDD_INSTALL_PROGRESS, 215, 56}};
    for (const Case& c : cases) {
        TemplateWindow dialog(c.id);
        ASSERT_TRUE(dialog.Create()) << c.id;
        RECT client;
        GetClientRect(dialog.Window(), &client);
        const RECT expected = DialogUnits(dialog.Window(), 0, 0, c.width, c.height);
        EXPECT_EQ(client.right, expected.right) << c.id;
        EXPECT_EQ(client.bottom, expected.bottom) << c.id;
    }
}

TEST(Resources, ControlsSitWhereTheTemplatesPutThem) {
    struct Case {
        int dialog;
        int id;
        const wchar_t* kind;
        int x, y, width, height;  // height -1: a combo box, whose window is its closed height
    };
    const Case cases[] = {
        {IDD_VTSETUP_DIALOG, IDC_TYPE_LABEL, L"Static", 11, 49, 44, 8},
        {IDD_VTSETUP_DIALOG, IDC_TYPE_LIST, L"ComboBox", 57, 46, 130, -1},
        {IDD_VTSETUP_DIALOG, IDC_LANGUAGE_LABEL, L"Static", 11, 66, 44, 8},
        {IDD_VTSETUP_DIALOG, IDC_LANGUAGE_LIST, L"ComboBox", 57, 64, 130, -1},
        {IDD_VTSETUP_DIALOG, IDC_INSTALL, L"Button", 35, 82, 151, 20},
        {IDD_VTSETUP_DIALOG, IDC_DRIVER_INSTALL_HIDDEN, L"Button", 5, 1, 6, 6},
        {IDD_VTSETUP_DIALOG, IDC_INSTALL_USB_DRIVER, L"Button", 33, 13, 154, 20},
        {IDD_INSTALL_PATH, IDC_AUTO_INSTALL, L"Button", 5, 6, 194, 10},
        {IDD_INSTALL_PATH, IDC_VERSION_LABEL, L"Static", 10, 27, 79, 8},
        {IDD_INSTALL_PATH, IDC_VERSION_LIST, L"ComboBox", 90, 24, 107, -1},
        {IDD_INSTALL_PATH, IDC_PATH_LABEL, L"Static", 10, 45, 80, 8},
        {IDD_INSTALL_PATH, IDC_PATH, L"Edit", 90, 42, 75, 14},
        {IDD_INSTALL_PATH, IDC_BROWSE, L"Button", 166, 42, 32, 14},
        {IDD_INSTALL_PATH, IDC_EXAMPLE, L"Edit", 15, 57, 177, 16},
        {IDD_INSTALL_PATH, IDOK, L"Button", 47, 97, 50, 16},
        {IDD_INSTALL_PATH, IDCANCEL, L"Button", 109, 97, 50, 16},
        {IDD_DRIVER_PROGRESS, IDC_DRIVER_PROGRESS, L"msctls_progress32", 7, 26, 173, 14},
        {IDD_INSTALL_PROGRESS, IDC_PROGRESS_STATUS, L"Static", 7, 6, 201, 9},
        {IDD_INSTALL_PROGRESS, IDC_PROGRESS_BAR, L"msctls_progress32", 7, 18, 201, 11},
        {IDD_INSTALL_PROGRESS, IDCANCEL, L"Button", 158, 35, 50, 14},
        {IDD_ABOUTBOX, IDOK, L"Button", 178, 7, 50, 14},
    };
    for (const Case& c : cases) {
        TemplateWindow dialog(c.dialog);
        ASSERT_TRUE(dialog.Create());
        HWND control = GetDlgItem(dialog.Window(), c.id);
        ASSERT_NE(control, nullptr) << c.dialog << "/" << c.id;
        EXPECT_EQ(ClassOf(control), c.kind) << c.dialog << "/" << c.id;
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, dialog.Window(), reinterpret_cast<POINT*>(&rect), 2);
        const RECT expected = DialogUnits(dialog.Window(), c.x, c.y, c.width, c.height < 0 ? 0 : c.height);
        EXPECT_EQ(rect.left, expected.left) << c.dialog << "/" << c.id;
        EXPECT_EQ(rect.top, expected.top) << c.dialog << "/" << c.id;
        EXPECT_EQ(rect.right, expected.right) << c.dialog << "/" << c.id;
        if (c.height >= 0) {
            EXPECT_EQ(rect.bottom, expected.bottom) << c.dialog << "/" << c.id;
        }
    }
}

TEST(Resources, StylesThatTheWindowsRelyOn) {
    TemplateWindow main(IDD_VTSETUP_DIALOG);
    ASSERT_TRUE(main.Create());
    EXPECT_TRUE(GetWindowLongW(main.Window(), GWL_EXSTYLE) & WS_EX_APPWINDOW);
    EXPECT_TRUE(IsWindowVisible(main.Window()));
    HWND hidden = GetDlgItem(main.Window(), IDC_DRIVER_INSTALL_HIDDEN);
    EXPECT_FALSE(IsWindowVisible(hidden));
    EXPECT_FALSE(IsWindowEnabled(hidden));
    for (int list : {IDC_TYPE_LIST, IDC_LANGUAGE_LIST}) {
        const LONG style = GetWindowLongW(GetDlgItem(main.Window(), list), GWL_STYLE);
        EXPECT_EQ(style & 3, CBS_DROPDOWNLIST);
        EXPECT_FALSE(style & CBS_SORT);
    }
    for (int button : {IDC_INSTALL, IDC_INSTALL_USB_DRIVER}) {
        EXPECT_EQ(GetWindowLongW(GetDlgItem(main.Window(), button), GWL_STYLE) & 0xF, BS_PUSHBUTTON);
    }

    TemplateWindow progress(IDD_INSTALL_PROGRESS);
    ASSERT_TRUE(progress.Create());
    const LONG progressStyle = GetWindowLongW(progress.Window(), GWL_STYLE);
    EXPECT_TRUE(progressStyle & WS_CAPTION);
    EXPECT_TRUE(progressStyle & WS_SYSMENU);
    EXPECT_FALSE(progressStyle & WS_VISIBLE);  // shown once placed
    EXPECT_EQ(ClassOf(GetDlgItem(progress.Window(), IDC_PROGRESS_BAR)), L"msctls_progress32");

    TemplateWindow path(IDD_INSTALL_PATH);
    ASSERT_TRUE(path.Create());
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(path.Window(), IDC_EXAMPLE)));
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(path.Window(), IDC_EXAMPLE), GWL_STYLE) & ES_MULTILINE);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(path.Window(), IDOK), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongW(GetDlgItem(path.Window(), IDC_AUTO_INSTALL), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
}

TEST(Resources, TheDriverProgressBarIsReadByTheUiDriver) {
    TemplateWindow progress(IDD_DRIVER_PROGRESS);
    ASSERT_TRUE(progress.Create());
    SendDlgItemMessageW(progress.Window(), IDC_DRIVER_PROGRESS, PBM_SETRANGE32, 0, 22);
    SendDlgItemMessageW(progress.Window(), IDC_DRIVER_PROGRESS, PBM_SETPOS, 7, 0);
    EXPECT_EQ(uidriver::ProgressPosition(progress.Window(), IDC_DRIVER_PROGRESS), 7);
}

TEST(Resources, TheManifestIsSoundAndAsksWhatTheSetupNeeds) {
    // The system reads it as an activation context: a manifest it cannot parse fails here.
    ACTCTXW context = {};
    context.cbSize = sizeof context;
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID | ACTCTX_FLAG_HMODULE_VALID;
    context.hModule = GetModuleHandleW(nullptr);
    context.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE activation = CreateActCtxW(&context);
    ASSERT_NE(activation, INVALID_HANDLE_VALUE) << GetLastError();
    ReleaseActCtx(activation);

    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    ASSERT_NE(found, nullptr);
    const std::string_view manifest(static_cast<const char*>(LockResource(LoadResource(nullptr, found))),
                                    SizeofResource(nullptr, found));
    for (const char* part : {"level=\"requireAdministrator\"", "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                             "WindowsSettings\">true</dpiAware>"}) {
        EXPECT_NE(manifest.find(part), std::string_view::npos) << part;
    }
    // Declaring supported systems would change the version the driver placement is told.
    EXPECT_EQ(manifest.find("compatibility"), std::string_view::npos);
}

}  // namespace
