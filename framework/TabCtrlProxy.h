#pragma once
#include "WndProxy.h"
#include <commctrl.h>

// A tab control that is not owned. Each operation is one message to the control, named after
// what it does, so that the code using the control never spells a message or a cast. Like the
// messages themselves, none of them throws: a failure comes back as the message's result.
// Every tab of ours carries a window handle as its item data; its image is set apart.
class CTabCtrlProxy : public CWndProxy {
public:
    CTabCtrlProxy(HWND handle = NULL) : CWndProxy(handle) {}

    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL, 0, 0)); }
    int SetCurSel(int index) const { return static_cast<int>(SendMessage(TCM_SETCURSEL, index, 0)); }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT, 0, 0)); }
    bool DeleteItem(int index) const { return SendMessage(TCM_DELETEITEM, index, 0) != FALSE; }
    int HitTest(TCHITTESTINFO* hit) const { return static_cast<int>(SendMessage(TCM_HITTEST, 0, Param(hit))); }
    bool GetItemRect(int index, RECT* rect) const { return SendMessage(TCM_GETITEMRECT, index, Param(rect)) != FALSE; }
    void AdjustRect(bool larger, RECT* rect) const { SendMessage(TCM_ADJUSTRECT, larger, Param(rect)); }
    HWND GetToolTips() const { return reinterpret_cast<HWND>(SendMessage(TCM_GETTOOLTIPS, 0, 0)); }
    void SetItemSize(int width, int height) const { SendMessage(TCM_SETITEMSIZE, 0, MAKELPARAM(width, height)); }
    HIMAGELIST SetImageList(HIMAGELIST images) const
        { return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, Param(images))); }
    // The strip renumbers the images of the other tabs itself.
    void RemoveImage(int image) const { SendMessage(TCM_REMOVEIMAGE, image, 0); }

    bool SetItemText(int index, const char* text) const
        { TCITEMA item = Item(TCIF_TEXT, text); return SendMessage(TCM_SETITEMA, index, Param(&item)) != FALSE; }
    int GetItemImage(int index) const
        { TCITEMA item = Item(TCIF_IMAGE); return SendMessage(TCM_GETITEMA, index, Param(&item)) ? item.iImage : -1; }
    bool SetItemImage(int index, int image) const
        { TCITEMA item = Item(TCIF_IMAGE); item.iImage = image; return SendMessage(TCM_SETITEMA, index, Param(&item)) != FALSE; }
    int InsertItem(int index, const char* text, HWND window) const
        { TCITEMA item = Item(TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM, text); item.lParam = reinterpret_cast<LPARAM>(window);
          return static_cast<int>(SendMessage(TCM_INSERTITEMA, index, Param(&item))); }

private:
    template <typename T> static LPARAM Param(T* pointer) { return reinterpret_cast<LPARAM>(pointer); }
    static TCITEMA Item(UINT mask, const char* text = NULL, int size = 0)
    {
        TCITEMA item = {};
        item.mask = mask;
        item.pszText = const_cast<char*>(text);
        item.cchTextMax = size;
        item.iImage = -1;
        return item;
    }
};
