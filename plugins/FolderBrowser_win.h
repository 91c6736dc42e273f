#pragma once
// The shell's folder-browse dialog behind a small class: CFolderBrowser holds the browse record and
// routes the dialog's notifications to virtual handlers; CFolderPicker opens it on a chosen folder
// and shows the selected path in its status line.

#include <windows.h>

#include <shlobj.h>

#include <string>

class CFolderBrowser {
public:
    // titleId: string resource of the text above the tree (0 for none).
    CFolderBrowser(HWND owner, LPCITEMIDLIST root, int titleId);
    virtual ~CFolderBrowser() = 0;
    CFolderBrowser(const CFolderBrowser&) = delete;
    CFolderBrowser& operator=(const CFolderBrowser&) = delete;

    // The record's setters are ignored while the browse window is open.
    void SetOwner(HWND owner);
    void SetRoot(LPCITEMIDLIST root);
    void SetFlags(UINT flags);
    void SetTitle(const char* title);
    // False, changing nothing, for an id of 0 or less or a string that cannot be loaded.
    bool SetTitle(int titleId);

    // Shows the modal browse dialog; true when a file-system folder was chosen.
    bool Browse();
    const char* GetFolderPath() const { return m_path; }

    // Act on the open browse window only.
    void SetSelection(const char* path);
    void SetStatusText(const char* text);

protected:
    virtual void OnInitialized() {}
    virtual void OnSelChanged(LPITEMIDLIST) {}

private:
    static int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM parameter, LPARAM object);

    std::string m_title;
    BROWSEINFOA m_info{};
    char m_path[MAX_PATH] = {};
    std::string m_result;
    HWND m_window = nullptr;  // the open browse window, null when none is open
};

class CFolderPicker : public CFolderBrowser {
public:
    CFolderPicker(HWND owner, LPCITEMIDLIST root, int titleId) : CFolderBrowser(owner, root, titleId) {}
    ~CFolderPicker() override;

    void SetInitialFolder(const char* path) { m_initialFolder = path ? path : ""; }

protected:
    void OnInitialized() override;
    void OnSelChanged(LPITEMIDLIST item) override;

private:
    std::string m_initialFolder;
};
