#include "AboutDlg.h"
#include "resource.h"
#include <shellapi.h>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace {
const char kUnknown[] = "Unknown";
// Our own table, whatever the translation entry announces.
const char kStringTable[] = "\\StringFileInfo\\0c0904b0\\";

// Copies one string of the block into text, which keeps its contents when there is no such value.
// The copy stops at the value's reported length too, so an unterminated value cannot overrun.
void CopyVersionString(const void* block, const char* name, char (&text)[kAboutTextSize])
{
    const std::string subBlock = std::string(kStringTable) + name;
    void* value = NULL;
    UINT length = 0;
    if (!::VerQueryValueA(block, subBlock.c_str(), &value, &length) || !value)
        return;
    const UINT room = kAboutTextSize - 1;
    const size_t limit = length < room ? length : room;
    const size_t count = strnlen(static_cast<const char*>(value), limit);
    std::memcpy(text, value, count);
    text[count] = '\0';
}
}

void ReadVersionTexts(const char* path, char (&versionText)[kAboutTextSize],
                      char (&productText)[kAboutTextSize])
{
    lstrcpynA(versionText, kUnknown, kAboutTextSize);
    productText[0] = '\0';

    DWORD handle = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size]);
    if (!block || !::GetFileVersionInfoA(path, handle, size, block.get()))
        return;
    CopyVersionString(block.get(), "FileVersion", versionText);
    CopyVersionString(block.get(), "ProductName", productText);
}

CAboutDlg::CAboutDlg(HICON icon) : m_icon(icon)
{
    m_versionText[0] = '\0';
    m_productText[0] = '\0';
}

CAboutDlg::~CAboutDlg() {}

INT_PTR CAboutDlg::DoModal(HWND owner, HINSTANCE instance)
{
    char path[kAboutTextSize] = "";
    ::GetModuleFileNameA(instance, path, sizeof path);
    ReadVersionTexts(path, m_versionText, m_productText);
    return CDlgHandler::DoModal(owner, IDD_ABOUT, instance);
}

INT_PTR CAboutDlg::OnInitDialog(WPARAM focus)
{
    // All three first: a missing control leaves the dialog exactly as its template made it.
    CWndProxy icon = GetDlgItem(IDC_ABOUT_ICON);
    CWndProxy product = GetDlgItem(IDC_ABOUT_PRODUCT);
    CWndProxy version = GetDlgItem(IDC_ABOUT_VERSION);
    if (m_icon)
        icon.SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(m_icon), 0);
    product.SetWindowText(m_productText);
    version.SetWindowText(m_versionText);
    return CDlgHandler::OnInitDialog(focus);
}

INT_PTR CAboutDlg::OnCommand(UINT code, WPARAM id, LPARAM control)
{
    const WORD item = LOWORD(id);
    if (code == BN_CLICKED && (item == IDC_ABOUT_WEB || item == IDC_ABOUT_MAIL)) {
        // Only a caption read from a live button is opened: for no window the buffer may be
        // left as garbage, and an empty name would make the shell open a folder.
        // A failed open is not reported.
        const CWndProxy button(reinterpret_cast<HWND>(control));
        char address[kAboutTextSize] = "";
        if (::IsWindow(button.GetHandle()) && button.GetWindowText(address, sizeof address) > 0)
            ::ShellExecuteA(m_hWnd, "open", address, NULL, NULL, SW_SHOW);
    }
    return CDlgHandler::OnCommand(code, id, control);
}
