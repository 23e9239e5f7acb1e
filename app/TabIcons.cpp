#include "TabIcons.h"
#include "Dpi.h"
#include <vector>

void CTabIcons::FitToDpi(UINT dpi)
{
    const int size = GetSystemMetricForDpi(SM_CXSMICON, dpi);
    int width = 0, height = 0;
    if (m_images && ::ImageList_GetIconSize(m_images, &width, &height) && width == size)
        return;
    m_icons.Reset(::GetParent(m_strip.GetHandle()), size);
    // The images keep their indices: the new list is filled in the old one's order.
    std::vector<HWND> byImage(m_imageOf.size());
    for (const auto& entry : m_imageOf)
        byImage[entry.second] = entry.first;
    const HIMAGELIST images = ::ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(byImage.size()), 4);
    for (HWND window : byImage)
        ::ImageList_AddIcon(images, m_icons.Of(window));
    m_strip.SetImageList(images);
    if (m_images)
        ::ImageList_Destroy(m_images);
    m_images = images;
}

void CTabIcons::Add(HWND window)
{
    Show(window, m_icons.Of(window));
}

void CTabIcons::Remove(HWND window)
{
    m_icons.Forget(window);
    auto found = m_imageOf.find(window);
    if (found == m_imageOf.end())
        return;
    const int image = found->second;
    m_imageOf.erase(found);
    m_strip.RemoveImage(image);
    for (auto& entry : m_imageOf)
        if (entry.second > image)
            --entry.second;
}

void CTabIcons::OnAnswer(WPARAM wParam, LPARAM lParam)
{
    const HWND window = m_icons.OnAnswer(wParam, lParam);
    if (window)
        Show(window, m_icons.Of(window));
}

// A window without an icon has no image, until an answer brings one.
void CTabIcons::Show(HWND window, HICON icon)
{
    if (!m_images || !icon)
        return;
    int image = ImageOf(window);
    if (image >= 0)
        ::ImageList_ReplaceIcon(m_images, image, icon);
    else if ((image = ::ImageList_AddIcon(m_images, icon)) >= 0)
        m_imageOf[window] = image;
    // Setting the image again also redraws the tab.
    const int tab = m_group.Find(window);
    if (tab >= 0)
        m_strip.SetItemImage(tab, image);
}

void CTabIcons::Sync() const
{
    for (int i = 0; i < m_group.Count(); ++i)
        m_strip.SetItemImage(i, ImageOf(m_group.Window(i)));
}

int CTabIcons::ImageOf(HWND window) const
{
    auto found = m_imageOf.find(window);
    return found == m_imageOf.end() ? -1 : found->second;
}

void CTabIcons::Release()
{
    if (m_strip.GetHandle() && ::IsWindow(m_strip.GetHandle()))
        m_strip.SetImageList(NULL);
    if (m_images)
        ::ImageList_Destroy(m_images);
    m_images = NULL;
    m_imageOf.clear();
    m_icons.Clear();
}
