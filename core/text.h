#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>

// Text rules shared by every box the player types into.

// Every character of yuan_str that is not in mubiao_str becomes a space; the
// result has no leading, trailing or doubled spaces.
QString only_str(QStringView yuan_str, QStringView mubiao_str);

// A full-width form (！ to ～, the digits ０ to ９ among them) as its ASCII
// character; any other character as it is.
QChar ascii_form(QChar ch);

inline bool is_full_width_digit(QChar ch)
{
    return ch >= u'０' && ch <= u'９';
}

// Removes leading and trailing ordinary spaces only (tabs and line breaks stay).
QStringView trim_spaces(QStringView text);

// Replaces every pair of adjacent spaces by one, left to right without
// overlap, `passes` times over: a run of k spaces ends as ceil(k / 2^passes).
QString collapse_space_pairs(QStringView text, int passes);

inline bool is_ascii_digit(QChar ch)
{
    return char16_t(ch.unicode() - u'0') < 10;
}

// Calls use(value) for every maximal run of exactly `length` ASCII digits,
// with the number the run reads: the entries of that length that only_str,
// allowing the digits, leaves of the text. Returns whether the text holds any
// digit at all. A pasted list of megabytes is read in one pass, without a copy.
template<typename Use>
bool for_each_number(QStringView text, int length, Use use)
{
    const auto digitOf = [](char16_t ch) { return unsigned(ch) - u'0'; };
    const char16_t *ch = text.utf16();
    const char16_t *const end = ch + text.size();
    bool anyDigit = false;
    while (ch != end) {
        if (digitOf(*ch) >= 10) {
            ++ch;
            continue;
        }
        anyDigit = true;
        // A run starts here. Most are entries of the length, followed by a
        // separator: their digits are read without a branch on each.
        if (end - ch > length) {
            unsigned value = 0;
            bool digits = true;
            for (int i = 0; i < length; ++i) {
                digits &= digitOf(ch[i]) < 10;
                value = 10 * value + digitOf(ch[i]);
            }
            if (digits && digitOf(ch[length]) >= 10) {
                use(int(value));
                ch += length + 1;
                continue;
            }
        }
        const char16_t *const start = ch;
        unsigned value = 0;     // a longer run may wrap it, unused
        do
            value = 10 * value + digitOf(*ch);
        while (++ch != end && digitOf(*ch) < 10);
        if (ch - start == length)
            use(int(value));
    }
    return anyDigit;
}

// Splits at every line break: a line feed, a CR LF pair or a lone CR.
QStringList split_lines(QStringView text);

// Splits at every single space; adjacent spaces give empty tokens between them.
QList<QStringView> split_spaces(QStringView text);

// Value of a tolerance box: the leading number of the text (0 when there is
// none), rounded to the nearest whole number with halves to even, clamped to
// 16 bits.
int16_t tolerance_value(QStringView text);

// The text between the first occurrence of key and its next occurrence, or to
// the end of the text when key occurs once; nothing when key does not occur.
// Help blocks and feed tags are framed by their key this way.
std::optional<QStringView> text_after_key(QStringView text, QStringView key);
