// The strip shows the group: tabs inserted, deleted, moved and retitled only where the group
// changed, each with its window's icon, its tooltip and its size at the strip's DPI.
#include "StripView.h"
#include "QuorTabNames.h"

using namespace quortab;

char g_tipText[kTextChars];

CStripView::CStripView(const CTabGroup& group)
    : m_group(group), m_icons(m_tabs, group), m_tipsByFrame(false), m_rowHeight(0)
{
}

void CStripView::Create(HWND frame, HINSTANCE instance, SUBCLASSPROC input, DWORD_PTR data)
{
    m_tabs.Attach(::CreateWindowExA(0, WC_TABCONTROLA, "", kTabStyle, 0, 0, CW_USEDEFAULT, CW_USEDEFAULT, frame,
                                    NULL, instance, NULL));
    FitToDpi(GetWindowDpi(frame));
    ::SetWindowSubclass(m_tabs.GetHandle(), input, 0, data);
}

void CStripView::Destroy(SUBCLASSPROC input)
{
    ::RemoveWindowSubclass(m_tabs.GetHandle(), input, 0);
    m_icons.Release();
}

void CStripView::Apply(const TabChange& change)
{
    const char* title = change.kind == TabChange::Removed ? "" : m_group.Tab(change.index).title.c_str();
    switch (change.kind) {
    case TabChange::Inserted:
        m_tabs.InsertItem(change.index, title, change.window);
        m_icons.Add(change.window);
        break;
    case TabChange::Removed:
        m_tabs.DeleteItem(change.index);
        m_icons.Remove(change.window);
        break;
    case TabChange::Moved:
        m_tabs.DeleteItem(change.from);
        m_tabs.InsertItem(change.index, title, change.window);
        m_icons.Sync();
        break;
    case TabChange::Retitled:
        if (m_tabs.SetItemText(change.index, title))
            m_icons.Ask(change.window);
        return;
    case TabChange::Selected:
        return ShowSelection();
    }
    // Tabs that came or went may have changed the rows, and where each tab's tooltip stands.
    m_rowHeight = 0;
    ShowSelection();
    SyncTips();
}

// The strip's selection follows the group's; setting it announces nothing.
void CStripView::ShowSelection() const
{
    if (m_tabs.GetCurSel() != m_group.Selection())
        m_tabs.SetCurSel(m_group.Selection());
}

void CStripView::FitToDpi(UINT dpi)
{
    m_font.Apply(m_tabs.GetHandle(), static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)), dpi);
    m_tabs.SetItemSize(ScaleForDpi(kTabWidth, dpi), 0);
    m_icons.FitToDpi(dpi);
    m_rowHeight = 0;
}

void CStripView::Fit(UINT width, UINT height)
{
    ::MoveWindow(m_tabs.GetHandle(), 0, 0, width, height, TRUE);
    SyncTips();
}

void CStripView::FillTipText(NMHDR* header) const
{
    // The tooltip identifies each tab by its index; a stale index leaves the text empty rather
    // than another tab's.
    const int index = static_cast<int>(header->idFrom);
    const std::string title = index >= 0 && index < m_group.Count() ? m_group.Tab(index).title : std::string();
    lstrcpynA(g_tipText, title.c_str(), sizeof g_tipText);
    if (header->code == TTN_GETDISPINFOA) {
        reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = g_tipText;
    } else {
        // A tooltip whose tool window answers in Unicode asks in the wide form.
        static wchar_t wideTipText[sizeof g_tipText];
        ::MultiByteToWideChar(CP_ACP, 0, g_tipText, -1, wideTipText, sizeof g_tipText);
        reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = wideTipText;
    }
}

int CStripView::RowHeight()
{
    if (!m_rowHeight) {
        RECT tabRect = {};
        m_tabs.GetWindowRect(&tabRect);
        const int windowHeight = tabRect.bottom - tabRect.top;
        m_tabs.AdjustRect(false, &tabRect);
        m_rowHeight = windowHeight - (tabRect.bottom - tabRect.top);
    }
    return m_rowHeight;
}
