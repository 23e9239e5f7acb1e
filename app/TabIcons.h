#pragma once
#include "TabCtrlProxy.h"
#include "TabGroup.h"
#include "WindowIcon.h"
#include <map>

// The strip's icons: each tab shows its window's small icon, at the small-icon size of the
// strip's DPI, before its title. Images are kept by window handle, not by tab index, so an icon
// follows its window wherever its tab goes; answers to the icon questions (kIconAnswer) are
// posted to the strip's parent, which hands them to OnAnswer.
class CTabIcons {
public:
    CTabIcons(const CTabCtrlProxy& strip, const CTabGroup& group) : m_strip(strip), m_group(group), m_images(NULL) {}
    ~CTabIcons() { Release(); }

    // (Re)makes the image list at the small-icon size for `dpi` and gives it to the strip.
    void FitToDpi(UINT dpi);
    // The window's tab shows its icon from now on.
    void Add(HWND window);
    // The window's tab has gone: its image goes too.
    void Remove(HWND window);
    // The window is asked for its icon again (its title changed).
    void Ask(HWND window) { m_icons.Ask(window); }
    void OnAnswer(WPARAM wParam, LPARAM lParam);
    // Every tab's image set again from its window, as after tabs moved.
    void Sync() const;
    // The strip lets go of the images, and every icon read is freed.
    void Release();

    CTabIcons(const CTabIcons&) = delete;
    CTabIcons& operator=(const CTabIcons&) = delete;

private:
    void Show(HWND window, HICON icon);
    int ImageOf(HWND window) const;

    const CTabCtrlProxy& m_strip;
    const CTabGroup& m_group;
    CWindowIcons m_icons;
    HIMAGELIST m_images;
    std::map<HWND, int> m_imageOf;
};
