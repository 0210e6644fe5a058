#pragma once

#include <iterator>

// Lines of draw histories as players paste them from lottery sites, and what
// each one gives. Shared by the reader's test and the command line's.
struct DrawLine
{
    const char *name;
    const char16_t *line;
    int number;             // kMalformed or kSkipped when the line holds no draw
    const char *issue;
    const char *date;       // ISO date; empty when the line gives none
};

constexpr int kMalformed = -1;
constexpr int kSkipped = -2;

constexpr DrawLine kDrawLines[] = {
    {"the test number after the draw", u"2026105 2468 试机号 1111", 2468, "2026105", ""},
    {"the sales after the draw", u"2026009 1234 金额 3000万", 1234, "2026009", ""},
    {"a date first", u"2026-01-03 2026003 9012", 9012, "2026003", "2026-01-03"},
    {"a date last", u"2026106 3927 2026-04-15", 3927, "2026106", "2026-04-15"},
    {"a row number and tabs", u"1\t2026001\t1234", 1234, "2026001", ""},
    {"single digits before a four-digit run", u"2024005 1 2 3 4 5678", 1234, "2024005", ""},
    {"five digits", u"2024007 12345", kMalformed, "", ""},

    {"issue and four digits", u"2024001 1234", 1234, "2024001", ""},
    {"commas", u"1,2,3,4", 1234, "", ""},
    {"leading zeros", u"0007", 7, "", ""},
    {"single zeros", u"0 0 0 0", 0, "", ""},
    {"slashes and a short issue", u"2024/1/5 第005期 5 6 7 8", 5678, "005", "2024-01-05"},
    {"年月日", u"2026年4月15日 第2026106期 3,9,2,7", 3927, "2026106", "2026-04-15"},
    {"full-width dots", u"２０２６．０１．０３　２０２６００３　９０１２", 9012, "2026003", "2026-01-03"},
    {"a time after the date", u"2026-01-03 21:30 2026003 9012", 9012, "2026003", "2026-01-03"},
    {"the first of two dates", u"2026/1/3 2026003 9012 2026/1/4", 9012, "2026003", "2026-01-03"},
    {"an impossible date is two runs", u"2026-02-30 2026003 9012", 2026, "", ""},
    {"a four-digit run before single digits", u"1234 5 6 7 8", 1234, "", ""},
    {"five single digits", u"1 2 3 4 5", 1234, "", ""},
    {"three single digits and a four-digit run", u"1 2 3 4567", 4567, "3", ""},
    {"five digits before four", u"12345 6789", 6789, "12345", ""},
    {"words around", u"第2024001期 开奖号码：8 8 0 1 ！", 8801, "2024001", ""},
    {"full-width digits", u"２０２４００１　１２３４", 1234, "2024001", ""},
    {"full-width commas", u"２０２４００１：１，２，３，４", 1234, "2024001", ""},
    {"full-width nines", u"２０２４００９　９９０９", 9909, "2024009", ""},
    {"mixed widths", u"2024001 １2３4", 1234, "2024001", ""},
    {"issue with leading zeros", u"007 4444", 4444, "007", ""},
    {"hash after text", u"x # 1234", 1234, "", ""},

    {"only a date", u"2026-01-03", kMalformed, "", ""},
    {"three digits", u"2024001 123", kMalformed, "", ""},
    {"three single digits", u"1 2 3", kMalformed, "", ""},
    {"a two-digit run among single digits", u"2024001 12 3 4 5", kMalformed, "", ""},
    {"words only", u"开奖号码", kMalformed, "", ""},
    {"other digits are not digits", u"١٢٣٤", kMalformed, "", ""},

    {"empty", u"", kSkipped, "", ""},
    {"spaces", u"   ", kSkipped, "", ""},
    {"full-width space and tab", u"\u3000\t", kSkipped, "", ""},
    {"comment", u"# 2024001 1234", kSkipped, "", ""},
    {"indented comment", u"  #1234", kSkipped, "", ""},
    {"full-width comment", u"＃ 2024001 1234", kSkipped, "", ""},
};
constexpr int kDrawLineCount = int(std::size(kDrawLines));
