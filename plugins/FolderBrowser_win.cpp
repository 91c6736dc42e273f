#include "plugins/FolderBrowser_win.h"

CFolderBrowser::CFolderBrowser(HWND owner, LPCITEMIDLIST root, int titleId) {
    m_info.hwndOwner = owner;
    m_info.pidlRoot = root;
    m_info.pszDisplayName = m_path;
    m_info.lpfn = BrowseCallback;
    m_info.lParam = reinterpret_cast<LPARAM>(this);
    SetTitle(titleId);
}

CFolderBrowser::~CFolderBrowser() = default;

void CFolderBrowser::SetOwner(HWND owner) {
    if (!m_window) {
        m_info.hwndOwner = owner;
    }
}

void CFolderBrowser::SetRoot(LPCITEMIDLIST root) {
    if (!m_window) {
        m_info.pidlRoot = root;
    }
}

void CFolderBrowser::SetFlags(UINT flags) {
    if (!m_window) {
        m_info.ulFlags = flags;
    }
}

void CFolderBrowser::SetTitle(const char* title) {
    if (!m_window) {
        m_title = title ? title : "";
        m_info.lpszTitle = m_title.c_str();
    }
}

bool CFolderBrowser::SetTitle(int titleId) {
    if (titleId <= 0) {
        return false;
    }
    char text[512] = {};
    if (LoadStringA(GetModuleHandleW(nullptr), static_cast<UINT>(titleId), text, sizeof text) <= 0) {
        return false;
    }
    SetTitle(text);
    return true;
}

bool CFolderBrowser::Browse() {
    bool chosen = false;
    if (LPITEMIDLIST item = SHBrowseForFolderA(&m_info)) {
        m_result.clear();
        // The display name the shell left in the buffer is no path: a choice without a file-system
        // path counts as no choice.
        chosen = SHGetPathFromIDListA(item, m_path) != FALSE;
        if (chosen) {
            m_result = m_path;
        } else {
            m_path[0] = '\0';
        }
        CoTaskMemFree(item);
    }
    m_window = nullptr;
    return chosen;
}

void CFolderBrowser::SetSelection(const char* path) {
    if (m_window) {
        SendMessageA(m_window, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path));
    }
}

void CFolderBrowser::SetStatusText(const char* text) {
    if (m_window) {
        SendMessageA(m_window, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text));
    }
}

int CALLBACK CFolderBrowser::BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM object) {
    auto* self = reinterpret_cast<CFolderBrowser*>(object);
    self->m_window = window;
    if (message == BFFM_INITIALIZED) {
        self->OnInitialized();
    } else if (message == BFFM_SELCHANGED) {
        self->OnSelChanged(reinterpret_cast<LPITEMIDLIST>(parameter));
    }
    return 0;
}

CFolderPicker::~CFolderPicker() = default;

void CFolderPicker::OnInitialized() {
    SetSelection(m_initialFolder.c_str());
    SetStatusText(m_initialFolder.c_str());
}

void CFolderPicker::OnSelChanged(LPITEMIDLIST item) {
    char path[MAX_PATH] = {};
    if (!SHGetPathFromIDListA(item, path)) {
        path[0] = '\0';
    }
    SetStatusText(path);
}
