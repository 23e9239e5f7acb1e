#pragma once
#include "Win32.h"
#include "QuorTabNames.h"
#include <map>

// Answers come to the window that looks icons up as quortab::kIconAnswer, handed on to
// CWindowIcons::OnAnswer.
using quortab::kIconAnswer;

// The small icons of other applications' windows, found without ever waiting on them.
// A window gets an icon at once from its class or, where that cannot be drawn here (under Wine
// another process's icons are out of reach), from its program's file at the wanted size. The
// window itself is asked meanwhile, small2, small, then big, each question sent without waiting;
// an answer replaces the first icon, and a hung window simply never answers. Icons read from
// program files are this object's own and are destroyed with their entry.
class CWindowIcons {
public:
    CWindowIcons();
    ~CWindowIcons();

    // Where answers are posted and the size program files are read at; icons already read from
    // files are read again at a new size.
    void Reset(HWND notify, int size);
    // The window's icon, null when none is found; the first call for a window looks it up and
    // asks the window.
    HICON Of(HWND window);
    // Asks the window again (its title changed): unless it has not answered the last question.
    void Ask(HWND window);
    // Takes an answer posted as kIconAnswer; the window whose icon changed, or null (the same icon
    // again changes nothing).
    HWND OnAnswer(WPARAM wParam, LPARAM lParam);
    void Forget(HWND window);
    void Clear();

    CWindowIcons(const CWindowIcons&) = delete;
    CWindowIcons& operator=(const CWindowIcons&) = delete;

private:
    struct Entry {
        HICON icon;
        bool owned;
        // Index of the kind of icon asked and not yet answered, or -1.
        int asking;
    };
    void Send(HWND window, Entry& entry);
    void Replace(Entry& entry, HICON icon, bool owned);

    HWND m_notify;
    int m_size;
    std::map<HWND, Entry> m_entries;
};

// Whether an icon handle can be drawn by this process.
bool IsUsableIcon(HICON icon);
