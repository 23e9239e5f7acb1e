#include "Win32.h"
#include "QuorTabNames.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <string>

namespace {

// Reads an extended dialog template the way the dialog manager does.
class CTemplateReader {
public:
    explicit CTemplateReader(const BYTE* data) : m_at(data), m_start(data) {}
    WORD Word() { WORD value; memcpy(&value, m_at, 2); m_at += 2; return value; }
    DWORD Dword() { DWORD value; memcpy(&value, m_at, 4); m_at += 4; return value; }
    short Short() { return static_cast<short>(Word()); }
    BYTE Byte() { return *m_at++; }
    std::string Text()
    {
        std::string text;
        for (WORD c = Word(); c; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    // A name or an ordinal, given as "#n".
    std::string NameOrOrdinal()
    {
        WORD first;
        memcpy(&first, m_at, 2);
        if (first == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignToDword() { while ((m_at - m_start) % 4) ++m_at; }

private:
    const BYTE* m_at;
    const BYTE* m_start;
};

struct ExpectedControl {
    DWORD id;
    const char* classOrdinal;
    const char* className;
    const char* text;
    short x, y, cx, cy;
    DWORD style;
};

}  // namespace

TEST(AddWindowTemplate, IsBuiltExactlyAsDrawnUp)
{
    const HMODULE module = ::GetModuleHandleA(NULL);
    const HRSRC found = ::FindResourceA(module, MAKEINTRESOURCEA(IDD_ADD_WINDOW), MAKEINTRESOURCEA(5));
    ASSERT_TRUE(found);
    CTemplateReader read(static_cast<const BYTE*>(::LockResource(::LoadResource(module, found))));

    EXPECT_EQ(1, read.Word()) << "extended template";
    EXPECT_EQ(0xFFFF, read.Word());
    EXPECT_EQ(0u, read.Dword()) << "help id";
    EXPECT_EQ(static_cast<DWORD>(WS_EX_TOPMOST), read.Dword());
    const DWORD style = read.Dword();
    EXPECT_EQ(0x80C808C8u, style);
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER |
                                 DS_SETFONT | DS_FIXEDSYS), style);
    EXPECT_FALSE(style & WS_VISIBLE);
    const WORD controls = read.Word();
    EXPECT_EQ(3, controls);
    EXPECT_EQ(0, read.Short());
    EXPECT_EQ(0, read.Short());
    EXPECT_EQ(186, read.Short());
    EXPECT_EQ(174, read.Short());
    EXPECT_EQ("", read.NameOrOrdinal()) << "no menu";
    EXPECT_EQ("", read.NameOrOrdinal()) << "no class of its own";
    EXPECT_EQ(quortab::kAddWindowCaption, read.Text());
    EXPECT_EQ(8, read.Word());
    EXPECT_EQ(400, read.Word());
    EXPECT_EQ(0, read.Byte()) << "not italic";
    EXPECT_EQ(DEFAULT_CHARSET, read.Byte());
    EXPECT_EQ("MS Shell Dlg", read.Text());

    const ExpectedControl expected[] = {
        {IDOK, "#128", "button", "OK", 74, 153, 50, 14, 0x50010001},
        {IDCANCEL, "#128", "button", "Cancel", 129, 153, 50, 14, 0x50010000},
        {IDC_WINDOW_LIST, "#131", "listbox", "", 7, 7, 172, 139, 0x50A10151}};
    ASSERT_EQ(3, controls);
    for (const ExpectedControl& control : expected) {
        read.AlignToDword();
        EXPECT_EQ(0u, read.Dword()) << control.text << ": help id";
        EXPECT_EQ(0u, read.Dword()) << control.text << ": extended style";
        EXPECT_EQ(control.style, read.Dword()) << control.text;
        EXPECT_EQ(control.x, read.Short()) << control.text;
        EXPECT_EQ(control.y, read.Short()) << control.text;
        EXPECT_EQ(control.cx, read.Short()) << control.text;
        EXPECT_EQ(control.cy, read.Short()) << control.text;
        EXPECT_EQ(control.id, read.Dword()) << control.text;
        std::string cls = read.NameOrOrdinal();
        for (char& c : cls)
            c = static_cast<char>(tolower(c));
        EXPECT_TRUE(cls == control.classOrdinal || cls == control.className) << cls;
        EXPECT_EQ(control.text, read.NameOrOrdinal());
        const WORD extra = read.Word();
        EXPECT_EQ(0, extra) << control.text << ": no creation data";
    }
    EXPECT_FALSE(0x50A10151 & LBS_SORT) << "items stay in walk order";
}
