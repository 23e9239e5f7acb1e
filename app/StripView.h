#pragma once
#include "Dpi.h"
#include "TabCtrlProxy.h"
#include "TabGroup.h"
#include "StripTips.h"
#include "TabIcons.h"

// The tab strip as the group's view: the one writer of the tab control. It shows each change the
// group tells of where the group changed and nowhere else, and keeps the icons, the tooltips and
// the sizes at the strip's DPI. It decides nothing: which tab is selected is the group's word.
class CStripView {
public:
    explicit CStripView(const CTabGroup& group);

    // Makes the tab control in the frame, sized for the frame's DPI.
    void Create(HWND frame, HINSTANCE instance, SUBCLASSPROC input, DWORD_PTR data);
    void Destroy(SUBCLASSPROC input);
    // For reading only: hit tests and tab rectangles.
    const CTabCtrlProxy& Control() const { return m_tabs; }

    void Apply(const TabChange& change);
    // Tabs and their text keep on any screen the size they have at 96 DPI.
    void FitToDpi(UINT dpi);
    // The control fills the frame's client area; the tooltips follow the tabs.
    void Fit(UINT width, UINT height);
    void SyncTips() { SyncTabTips(m_tabs, m_tipsByFrame); }
    void FillTipText(NMHDR* header) const;
    void OnIconAnswer(WPARAM wParam, LPARAM lParam) { m_icons.OnAnswer(wParam, lParam); }
    // The tab row with its borders, measured again only after the row may have changed.
    int RowHeight();

    CStripView(const CStripView&) = delete;
    CStripView& operator=(const CStripView&) = delete;

private:
    void ShowSelection() const;

    const CTabGroup& m_group;
    CTabCtrlProxy m_tabs;
    // The strip's font away from the screen's own DPI.
    CDpiFont m_font;
    CTabIcons m_icons;
    // Some tab controls register no per-tab tooltip tools; then the view keeps them itself.
    bool m_tipsByFrame;
    // 0: to be measured.
    int m_rowHeight;
};
