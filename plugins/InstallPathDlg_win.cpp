#include "plugins/InstallPathDlg_win.h"

#include "plugins/FolderBrowser_win.h"
#include "plugins/InstallPathTexts.h"
#include "res/resource.h"

namespace {

constexpr int kCorelDraw = 1;
constexpr int kIllustrator = 3;

}  // namespace

CInstallPathDlg::CInstallPathDlg(HWND parent) : CDialog(IDD_INSTALL_PATH, parent) {}

bool CInstallPathDlg::OnInitDialog() {
    SetItemTextAnsi(IDC_PATH, m_presetPath.empty() ? std::string(installpath::kInitialPath) : m_presetPath);

    const bool illustrator = m_installType == kIllustrator;
    const installpath::Captions& captions =
        m_languagePos == 0 ? installpath::kChineseCaptions : installpath::kEnglishCaptions;
    SetCaptionGbk(captions.window);
    SetItemTextGbk(IDC_VERSION_LABEL, illustrator ? captions.illustratorVersionLabel : captions.corelVersionLabel);
    SetItemTextGbk(IDC_AUTO_INSTALL, captions.autoInstall);
    SetItemTextGbk(IDC_PATH_LABEL, captions.pathLabel);
    SetItemTextGbk(IDC_BROWSE, captions.browse);
    SetItemTextGbk(IDOK, captions.ok);
    SetItemTextGbk(IDCANCEL, captions.cancel);

    if (illustrator) {
        for (const char* version : installpath::kIllustratorVersions) {
            ComboAddGbk(IDC_VERSION_LIST, version);
        }
        ComboSelect(IDC_VERSION_LIST, installpath::kIllustratorDefaultVersion);
    } else {
        for (const char* version : installpath::kCorelVersions) {
            ComboAddGbk(IDC_VERSION_LIST, version);
        }
        ComboSelect(IDC_VERSION_LIST, installpath::kCorelDefaultVersion);
    }
    if (!m_presetVersion.empty()) {
        // The list finds its entries without regard to case.
        const LRESULT found = SendMessageA(Item(IDC_VERSION_LIST), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(m_presetVersion.c_str()));
        if (found != CB_ERR) {
            ComboSelect(IDC_VERSION_LIST, static_cast<int>(found));
        }
    }

    if (m_installType == kCorelDraw) {
        SetItemTextGbk(IDC_EXAMPLE, installpath::kCorelExample);
    } else if (illustrator) {
        SetItemTextGbk(IDC_EXAMPLE, installpath::kIllustratorExample);
    }

    // Only the CorelDRAW and AutoCAD plug-ins can find their host on their own.
    const bool canLocateHost = m_installType == kCorelDraw || m_installType == 2;
    const bool automatic = canLocateHost && m_presetPath.empty();
    EnableItem(IDC_AUTO_INSTALL, canLocateHost);
    SetChecked(IDC_AUTO_INSTALL, automatic);
    EnableItem(IDC_PATH, !automatic);
    EnableItem(IDC_BROWSE, !automatic);
    EnableItem(IDC_VERSION_LIST, m_installType == kCorelDraw || illustrator);
    return true;
}

bool CInstallPathDlg::OnCommand(int id, int code) {
    if (code == BN_CLICKED && id == IDC_AUTO_INSTALL) {
        OnAutoInstallClicked();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_BROWSE) {
        OnBrowseClicked();
        return true;
    }
    return CDialog::OnCommand(id, code);
}

void CInstallPathDlg::OnAutoInstallClicked() {
    const bool automatic = IsChecked(IDC_AUTO_INSTALL);
    EnableItem(IDC_PATH, !automatic);
    EnableItem(IDC_BROWSE, !automatic);
    if (m_installType != kCorelDraw && m_installType != kIllustrator) {
        EnableItem(IDC_VERSION_LIST, false);
    }
}

void CInstallPathDlg::OnBrowseClicked() {
    CFolderPicker picker(m_hWnd, nullptr, IDS_SELECT_INSTALL_PATH);
    picker.SetFlags(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT);
    picker.SetInitialFolder("");
    if (picker.Browse()) {
        SetItemTextAnsi(IDC_PATH, picker.GetFolderPath());
    }
}

void CInstallPathDlg::OnOK() {
    m_path = ItemTextAnsi(IDC_PATH);
    m_versionIndex = ComboSelection(IDC_VERSION_LIST);
    m_autoInstall = IsChecked(IDC_AUTO_INSTALL) ? 1 : 0;
    CDialog::OnOK();
}
