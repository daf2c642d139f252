#pragma once
// What a keyword search and the word check hold equal, one UTF-16 code unit at a time: a
// katakana and its hiragana, a full-width letter, digit or sign and its ASCII form, and the
// ideographic space and the space. Voiced marks stay distinct (バ is not ハ), and the marks of
// facts to fill in (〇〇, △) are left as they are.
//
// A keyword is brought to its compatibility form (NFKC) before it is folded, which a toolkit
// does; the sentences need no such step, because the packer refuses a sentence that holds a
// character whose compatibility form is not what folding it gives.

#include <string>
#include <string_view>

namespace content {

constexpr char16_t foldUnit(char16_t c)
{
    if (c >= u'\u30A1' && c <= u'\u30F6') // ァ .. ヶ
        return static_cast<char16_t>(c - 0x60);
    if (c >= u'\uFF01' && c <= u'\uFF5E') // ！ .. ～
        return static_cast<char16_t>(c - 0xFEE0);
    if (c == u'\u3000')
        return u' ';
    return c;
}

// The one other unit that folds to a folded unit, or the unit itself when none does.
constexpr char16_t twinOf(char16_t folded)
{
    if (folded >= u'\u3041' && folded <= u'\u3096')
        return static_cast<char16_t>(folded + 0x60);
    if (folded >= u'\u0021' && folded <= u'\u007E')
        return static_cast<char16_t>(folded + 0xFEE0);
    if (folded == u' ')
        return u'\u3000';
    return folded;
}

inline std::u16string foldUnits(std::u16string_view text)
{
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = foldUnit(c);
    return folded;
}

// Whether a folded text is kana that a reading can hold: hiragana and the long vowel mark.
constexpr bool isReadingKana(char16_t folded)
{
    return (folded >= u'\u3041' && folded <= u'\u3096') || folded == u'\u30FC';
}

inline bool isKanaWord(std::u16string_view folded)
{
    if (folded.empty())
        return false;
    for (const char16_t c : folded) {
        if (!isReadingKana(c))
            return false;
    }
    return true;
}

// Whether the folded needle occurs at text[at], each unit of the text folded first.
inline bool foldedAt(std::u16string_view text, std::size_t at, std::u16string_view folded)
{
    if (at > text.size() || text.size() - at < folded.size())
        return false;
    for (std::size_t k = 0; k < folded.size(); ++k) {
        if (foldUnit(text[at + k]) != folded[k])
            return false;
    }
    return true;
}

} // namespace content
