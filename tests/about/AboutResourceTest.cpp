// The version resource and the About template as the resource script builds them.
#include "Fixture.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <cctype>
#include <string>
#include <vector>

namespace {
const WORD kEnglishAustralia = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_AUS);

// The program when it is built beside the tests, else this executable: both link the same script.
std::string ProgramFile()
{
    std::string program = ProgramPath("QuorTab.exe");
    if (::GetFileAttributesA(program.c_str()) != INVALID_FILE_ATTRIBUTES)
        return program;
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, self, MAX_PATH);
    return self;
}

class VersionBlock {
public:
    explicit VersionBlock(const std::string& path)
    {
        DWORD handle = 0;
        DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &handle);
        m_block.resize(size);
        m_read = size && ::GetFileVersionInfoA(path.c_str(), handle, size, m_block.data());
    }
    bool Read() const { return m_read; }
    const void* Query(const std::string& subBlock, UINT* length) const
    {
        void* value = NULL;
        *length = 0;
        if (!::VerQueryValueA(m_block.data(), subBlock.c_str(), &value, length))
            return NULL;
        return value;
    }
    std::string String(const char* table, const char* name) const
    {
        UINT length = 0;
        const char* value = static_cast<const char*>(
            Query(std::string("\\StringFileInfo\\") + table + "\\" + name, &length));
        return value ? std::string(value, strnlen(value, length)) : "<missing>";
    }

private:
    std::vector<char> m_block;
    bool m_read;
};

// A data file view of a module's resources, freed with the object.
class ResourceModule {
public:
    explicit ResourceModule(const std::string& path)
        : m_module(::LoadLibraryExA(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceModule() { if (m_module) ::FreeLibrary(m_module); }
    HMODULE Get() const { return m_module; }
private:
    HMODULE m_module;
};

// Reads a classic template's sz_Or_Ord field: a name, or "#<ordinal>".
std::string ReadField(const WORD*& p)
{
    if (*p == 0xFFFF) {
        std::string ordinal = "#" + std::to_string(p[1]);
        p += 2;
        return ordinal;
    }
    std::string text;
    for (; *p; ++p)
        text += static_cast<char>(*p);
    ++p;
    return text;
}

// Dialog classes are stored either by name or by the system's atom for it.
std::string ClassName(const std::string& field)
{
    if (field == "#128") return "button";
    if (field == "#130") return "static";
    std::string lower = field;
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return lower;
}

struct TemplateItem {
    WORD id;
    std::string className;
    std::string text;
    DWORD style;
    short x, y, cx, cy;
};

bool operator==(const TemplateItem& a, const TemplateItem& b)
{
    return a.id == b.id && a.className == b.className && a.text == b.text && a.style == b.style &&
           a.x == b.x && a.y == b.y && a.cx == b.cx && a.cy == b.cy;
}

void PrintTo(const TemplateItem& item, std::ostream* out)
{
    *out << "{" << item.id << ", " << item.className << ", \"" << item.text << "\", 0x" << std::hex
         << item.style << std::dec << ", " << item.x << "," << item.y << "," << item.cx << ","
         << item.cy << "}";
}
}

TEST(AboutResources, VersionResourceHasFixedPartTranslationAndStrings)
{
    const std::string program = ProgramFile();
    {
        ResourceModule module(program);
        ASSERT_TRUE(module.Get()) << program;
        EXPECT_TRUE(::FindResourceExA(module.Get(), RT_VERSION,
                                      MAKEINTRESOURCEA(1), kEnglishAustralia))
            << "version resource 1 in English (Australia)";
    }
    VersionBlock block(program);
    ASSERT_TRUE(block.Read()) << program;

    UINT length = 0;
    const VS_FIXEDFILEINFO* fixed = static_cast<const VS_FIXEDFILEINFO*>(block.Query("\\", &length));
    ASSERT_TRUE(fixed);
    ASSERT_EQ(sizeof(VS_FIXEDFILEINFO), length);
    EXPECT_EQ(0xFEEF04BDu, fixed->dwSignature);
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000001u, fixed->dwProductVersionLS);
    EXPECT_EQ(0x17u, fixed->dwFileFlagsMask);
    EXPECT_EQ(0u, fixed->dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_APP), fixed->dwFileType);
    EXPECT_EQ(0u, fixed->dwFileSubtype);

    const WORD* translation =
        static_cast<const WORD*>(block.Query("\\VarFileInfo\\Translation", &length));
    ASSERT_TRUE(translation);
    ASSERT_EQ(4u, length) << "exactly one translation entry";
    EXPECT_EQ(0x0C09, translation[0]);
    EXPECT_EQ(1200, translation[1]);

    EXPECT_EQ(" QuorTab Application", block.String("0c0904b0", "ProductName"));
    EXPECT_EQ("1, 0, 0, 1", block.String("0c0904b0", "FileVersion"));
    EXPECT_EQ("QuorTab Application", block.String("0c0904b0", "FileDescription"));
    EXPECT_EQ("QuorTab", block.String("0c0904b0", "InternalName"));
    EXPECT_EQ("QuorTab.exe", block.String("0c0904b0", "OriginalFilename"));
    EXPECT_EQ("1, 0, 0, 1", block.String("0c0904b0", "ProductVersion"));
}

TEST(AboutResources, AboutTemplateAsBuilt)
{
    const std::string program = ProgramFile();
    ResourceModule module(program);
    ASSERT_TRUE(module.Get()) << program;
    HRSRC found = ::FindResourceExA(module.Get(), RT_DIALOG,
                                    MAKEINTRESOURCEA(IDD_ABOUT), kEnglishAustralia);
    ASSERT_TRUE(found) << "IDD_ABOUT in English (Australia)";
    const BYTE* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module.Get(), found)));
    ASSERT_TRUE(data);

    const DLGTEMPLATE* dialog = reinterpret_cast<const DLGTEMPLATE*>(data);
    ASSERT_NE(0xFFFF0001u, *reinterpret_cast<const DWORD*>(data)) << "a classic, not extended, template";
    EXPECT_EQ(0x80C800C0u, dialog->style);
    EXPECT_EQ(0u, dialog->dwExtendedStyle);
    EXPECT_EQ(0, dialog->x);
    EXPECT_EQ(0, dialog->y);
    EXPECT_EQ(186, dialog->cx);
    EXPECT_EQ(74, dialog->cy);
    ASSERT_EQ(7, dialog->cdit);

    const WORD* p = reinterpret_cast<const WORD*>(dialog + 1);
    EXPECT_EQ("", ReadField(p)) << "menu";
    EXPECT_EQ("", ReadField(p)) << "class";
    EXPECT_EQ("About ", ReadField(p)) << "caption";
    EXPECT_EQ(8, *p++) << "point size";
    EXPECT_EQ("MS Sans Serif", ReadField(p));

    const TemplateItem expected[] = {
        {IDCANCEL, "button", "Close", 0x50010000, 129, 7, 50, 14},
        {IDC_ABOUT_ICON, "static", "", 0x50000003, 7, 7, 20, 20},
        {IDC_ABOUT_PRODUCT, "static", "Static", 0x50020000, 35, 7, 85, 8},
        {0xFFFF, "static", "Version:", 0x50020000, 35, 20, 28, 8},
        {IDC_ABOUT_VERSION, "static", "Static", 0x50020000, 67, 20, 57, 8},
        {IDC_ABOUT_WEB, "button", "https://www.example.org/quortab/", 0x50018000, 7, 35, 172, 14},
        {IDC_ABOUT_MAIL, "button", "mailto:quortab@example.org", 0x50018000, 7, 52, 172, 14},
    };
    for (const TemplateItem& want : expected) {
        // Each item starts on a DWORD boundary.
        const BYTE* at = reinterpret_cast<const BYTE*>(p);
        at += (4 - (at - data) % 4) % 4;
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(at);
        p = reinterpret_cast<const WORD*>(item + 1);
        TemplateItem seen{item->id, "", "", item->style, item->x, item->y, item->cx, item->cy};
        seen.className = ClassName(ReadField(p));
        seen.text = ReadField(p);
        EXPECT_EQ(0u, item->dwExtendedStyle) << want.text;
        EXPECT_EQ(want, seen);
        EXPECT_EQ(0, *p++) << want.text << ": no creation data";
    }
}
