// The install-path dialog's answers for each installation type, driven from a second thread of the
// test as a user would drive it, with the real dialog template.
#include "plugins/InstallPathDlg_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "res/resource.h"
#include "tools/uidriver/UiDriver_win.h"

namespace {

using Drive = std::function<void(HWND dialog)>;

struct Answers {
    INT_PTR result;
    std::string path;
    int autoInstall;
    int versionIndex;
};

// Shows the dialog modally while another thread finds it by caption, runs drive and leaves with
// closeId (OK or Cancel).
Answers RunDialog(int type, int languagePos, const Drive& drive, int closeId = IDOK) {
    CInstallPathDlg dialog(nullptr);
    dialog.m_installType = type;
    dialog.m_languagePos = languagePos;
    const std::wstring caption = languagePos == 0 ? L"\x9009\x62e9\x5b89\x88c5\x76ee\x5f55" : L"Select install path";
    std::thread user([&] {
        HWND window = uidriver::WaitForWindow(GetCurrentProcessId(), caption, 10000);
        if (!window) {
            return;  // DoModal below then never returns: the test's timeout reports it
        }
        drive(window);
        uidriver::ClickButton(window, closeId);
    });
    const INT_PTR result = dialog.DoModal();
    user.join();
    return {result, dialog.m_path, dialog.m_autoInstall, dialog.m_versionIndex};
}

void Nothing(HWND) {}

TEST(InstallPathDialog, AnswersPerType) {
    struct Case {
        const char* what;
        int type;
        Drive drive;
        std::string path;
        int autoInstall;
        int versionIndex;
    };
    const Case cases[] = {
        {"CorelDRAW, OK at once", 1, Nothing, "C:\\", 1, 1},
        {"CorelDRAW, path typed after unchecking", 1,
         [](HWND d) {
             uidriver::SetCheck(d, IDC_AUTO_INSTALL, false);
             uidriver::TypeText(d, IDC_PATH, L"D:\\Corel\\X6");
             uidriver::SelectComboEntry(d, IDC_VERSION_LIST, 6);
         },
         "D:\\Corel\\X6", 0, 6},
        {"CorelDRAW, checked again keeps the typed path", 1,
         [](HWND d) {
             uidriver::SetCheck(d, IDC_AUTO_INSTALL, false);
             uidriver::TypeText(d, IDC_PATH, L"E:\\typed");
             uidriver::SetCheck(d, IDC_AUTO_INSTALL, true);
         },
         "E:\\typed", 1, 1},
        {"main software", 0, [](HWND d) { uidriver::TypeText(d, IDC_PATH, L"C:\\Program Files"); }, "C:\\Program Files",
         0, 1},
        {"AutoCAD, OK at once", 2, Nothing, "C:\\", 1, 1},
        {"AutoCAD, unchecked", 2, [](HWND d) { uidriver::SetCheck(d, IDC_AUTO_INSTALL, false); }, "C:\\", 0, 1},
        {"Illustrator, OK at once", 3, Nothing, "C:\\", 0, 2},
        {"Illustrator, last version", 3, [](HWND d) { uidriver::SelectComboEntry(d, IDC_VERSION_LIST, 10); }, "C:\\", 0,
         10},
        {"path kept exactly as typed", 0, [](HWND d) { uidriver::TypeText(d, IDC_PATH, L"  relative\\no slash "); },
         "  relative\\no slash ", 0, 1},
    };
    for (const Case& c : cases) {
        for (int languagePos : {0, 2}) {
            const Answers answers = RunDialog(c.type, languagePos, c.drive);
            EXPECT_EQ(answers.result, IDOK) << c.what;
            EXPECT_EQ(answers.path, c.path) << c.what << ", language " << languagePos;
            EXPECT_EQ(answers.autoInstall, c.autoInstall) << c.what << ", language " << languagePos;
            EXPECT_EQ(answers.versionIndex, c.versionIndex) << c.what << ", language " << languagePos;
        }
    }
}

TEST(InstallPathDialog, CancelChangesNoAnswer) {
    const Answers answers = RunDialog(
        1, 2,
        [](HWND d) {
            uidriver::SetCheck(d, IDC_AUTO_INSTALL, false);
            uidriver::TypeText(d, IDC_PATH, L"D:\\ignored");
            uidriver::SelectComboEntry(d, IDC_VERSION_LIST, 4);
        },
        IDCANCEL);
    EXPECT_EQ(answers.result, IDCANCEL);
    EXPECT_EQ(answers.path, "");
    EXPECT_EQ(answers.autoInstall, 0);
    EXPECT_EQ(answers.versionIndex, 0);
}

}  // namespace
