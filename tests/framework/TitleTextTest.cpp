#include "TitleText.h"
#include <gtest/gtest.h>
#include <string>

namespace {

std::string Repeat(const std::string& piece, int times)
{
    std::string text;
    while (times-- > 0)
        text += piece;
    return text;
}

const std::string kZhong = "\xE4\xB8\xAD";         // U+4E2D, three bytes
const std::string kGrin = "\xF0\x9F\x98\x80";      // U+1F600, four bytes, two UTF-16 units
const std::string kCafe = "caf\xC3\xA9";           // é in two bytes

struct CutCase {
    const char* name;
    std::string text;
    UINT codePage;
    size_t units;
    size_t bytes;
    size_t expected;
};

}  // namespace

TEST(CleanCutLength, StopsOnlyBetweenWholeCharactersWithinBothBudgets)
{
    const CutCase cases[] = {
        {"empty", "", CP_UTF8, 1023, 3069, 0},
        {"fits whole", kCafe, CP_UTF8, 1023, 3069, 5},
        {"byte budget inside a two-byte character", kCafe, CP_UTF8, 1023, 4, 3},
        {"unit budget counts é as one", kCafe, CP_UTF8, 4, 3069, 5},
        {"byte budget inside a three-byte character", kZhong + kZhong, CP_UTF8, 1023, 5, 3},
        {"emoji astride the unit budget dropped whole", "a" + kGrin + "b", CP_UTF8, 2, 3069, 1},
        {"emoji takes two units", "a" + kGrin + "b", CP_UTF8, 3, 3069, 5},
        {"emoji astride the byte budget dropped whole", "a" + kGrin + "b", CP_UTF8, 1023, 4, 1},
        {"sequence torn off by the end", "ab" + kZhong.substr(0, 2), CP_UTF8, 1023, 3069, 2},
        {"stray continuation byte stands alone", "a\x80" "b", CP_UTF8, 1023, 3069, 3},
        {"lead byte without its continuation stands alone", "\xE4" "ab", CP_UTF8, 2, 3069, 2},
        {"limit of three-byte characters fills the buffer", Repeat(kZhong, 1024), CP_UTF8, 1023, 3069, 3069},
        {"limit reached by an emoji's first unit", Repeat("a", 1022) + kGrin + "b", CP_UTF8, 1023, 3069, 1022},
        {"single-byte page by the byte", "caf\xE9", 1252, 1023, 4, 4},
        {"double-byte page keeps a pair whole", "\x82\xA0\x82\xA2", 932, 1023, 3, 2},
        {"double-byte pair torn off by the end", "a\x82\xA0\x82", 932, 1023, 3069, 3},
        {"double-byte pair counts one unit", "\x82\xA0\x82\xA2" "a", 932, 2, 3069, 4},
    };
    for (const CutCase& c : cases)
        EXPECT_EQ(c.expected, CleanCutLength(c.text.c_str(), c.codePage, c.units, c.bytes)) << c.name;
}
