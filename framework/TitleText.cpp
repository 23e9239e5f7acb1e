#include "TitleText.h"
#include "QuorTabNames.h"
#include <cstring>

namespace {

struct Character {
    size_t bytes;  // 0: torn off by the end of the text
    size_t units;
};

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// A byte that starts no well-formed sequence stands alone, as the system turns it into one
// replacement character.
Character Utf8Character(const unsigned char* at)
{
    const size_t length = at[0] >= 0xF0 && at[0] <= 0xF4 ? 4 : at[0] >= 0xE0 && at[0] <= 0xEF ? 3
                        : at[0] >= 0xC2 && at[0] <= 0xDF ? 2 : 1;
    for (size_t i = 1; i < length; ++i) {
        if (!at[i])
            return {0, 0};
        if (!IsContinuation(at[i]))
            return {1, 1};
    }
    // Beyond the Basic Multilingual Plane a character takes two UTF-16 units.
    return {length, length == 4 ? 2u : 1u};
}

Character DoubleByteCharacter(const unsigned char* at, UINT codePage)
{
    if (!::IsDBCSLeadByteEx(codePage, at[0]))
        return {1, 1};
    return at[1] ? Character{2, 1} : Character{0, 0};
}

}  // namespace

size_t CleanCutLength(const char* text, UINT codePage, size_t units, size_t bytes)
{
    const unsigned char* const start = reinterpret_cast<const unsigned char*>(text);
    size_t length = 0, used = 0;
    while (start[length]) {
        const Character next = codePage == CP_UTF8 ? Utf8Character(start + length)
                                                   : DoubleByteCharacter(start + length, codePage);
        if (!next.bytes || length + next.bytes > bytes || used + next.units > units)
            break;
        length += next.bytes;
        used += next.units;
    }
    return length;
}

int ReadWindowTitle(HWND window, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    // Four bytes a unit and more: wherever the system cuts a longer title, ours comes first.
    char whole[quortab::kTitleLimit * 4 + 4];
    const int read = ::GetWindowTextA(window, whole, sizeof whole);
    whole[read > 0 && read < static_cast<int>(sizeof whole) ? read : 0] = '\0';
    const size_t length = CleanCutLength(whole, ::GetACP(), quortab::kTitleLimit, static_cast<size_t>(size) - 1);
    std::memcpy(buffer, whole, length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}
