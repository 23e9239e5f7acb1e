#pragma once
#include "DlgHandler.h"
#include "QuorTabNames.h"

const int kAboutTextSize = quortab::kTextChars;

// Reads the two texts of the About box from the version resource of the file at path, always
// through the "0c0904b0" string table. A value that cannot be read leaves the version text
// "Unknown" and the product text empty; a value too long for its buffer is cut.
void ReadVersionTexts(const char* path, char (&versionText)[kAboutTextSize],
                      char (&productText)[kAboutTextSize]);

// The About box: the application icon, the product name and version from the program's own
// version resource, and two buttons that hand their captions to the shell.
class CAboutDlg : public CDlgHandler {
public:
    explicit CAboutDlg(HICON icon);
    ~CAboutDlg() override;

    // Reads the texts afresh from instance's file at every opening, then runs IDD_ABOUT.
    INT_PTR DoModal(HWND owner, HINSTANCE instance);

    const char* GetVersionText() const { return m_versionText; }
    const char* GetProductText() const { return m_productText; }

    INT_PTR OnInitDialog(WPARAM focus) override;
    INT_PTR OnCommand(UINT code, WPARAM id, LPARAM control) override;

private:
    HICON m_icon;  // shown, not owned
    char m_versionText[kAboutTextSize];
    char m_productText[kAboutTextSize];
};
