#pragma once

#include "core/matrix.h"
#include "core/sheet_layout.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

// The condition controls of the sheet, one row per control array and index
// range, in sheet order. The panel builders, the reset, the toggle colours,
// the reading of the sheet and the conversion to Selections all loop over
// this table; no other code names an index range of a condition array.

enum class ControlKind { Toggle, Check, Text, Tolerance };

// What a member of a row stands for in Selections.
enum class Selects {
    EnteredList,    // T_ding(i): typed list i
    StruckDigit,    // positional kill: the member's index is 10 * position + digit
    SumTail,        // check boxes: the member's index is the flag's index
    SumValues,
    Span,
    KillAllDigit,
    AcValue,
    DanDigit,       // dan row `part`: the caption is the digit
    DanCount,       // dan row `part`: the caption is the hit count
    CountRepeats,
    Ratio,          // selector `part`: the caption is the ratio
    Shape,
    Pattern,        // grid `part` (PatternGrid)
    Exclusion,
    SmallestDigit,
    LargestDigit,
    BaseSet,
    ToleranceRange, // first is "from", last is "to"
};

// How the members of a row are captioned. For text boxes the caption is the
// hint the reset writes; for tolerance boxes it is their list of items.
enum class CaptionRule {
    Listed,         // list[offset]
    Numbered,       // from + offset; tolerance boxes list from .. to
    ClassPattern,   // four characters of the two classes in `text`
    RoutePattern,   // the member's mod-3 route string
    Hint,           // `text`
    BreakThenHint,  // a line break, then `text`
};

// What a member of a row names when it stands for one property of a number:
// the numbers that a sheet holding only that member marks in its family's
// row (the family kills what is selected), or the numbers such a sheet keeps
// (the selection says what stays). Typed boxes, tolerances, dan rows and
// their hit counts name nothing.
enum class MemberSet { None, MarkedByFamily, KeptByFamily };

struct Caption
{
    CaptionRule rule;
    const char16_t *const *list = nullptr;
    const char16_t *text = nullptr;
    int from = 0;
    int to = 0;
};

// A row of a single control, such as "Check_dm_jchong", has this index alone
// and its name carries no index.
constexpr int kSingleControl = -1;
// No button of that kind.
constexpr int kNoButton = -1;

struct ConditionRow
{
    const char *array;
    int first;
    int last;
    ControlKind kind;
    MatrixRow family;           // the matrix row its condition writes
    Selects selects;
    int part;                   // selector, grid or dan row within the family
    int selectedColour;         // toggles: the colour that means selected
    int clearButton;            // C_cls "清" of the group, or kNoButton
    int allButton;              // C_cls "全" of the row, or kNoButton
    int helpButton;             // C_teshu_sm "说明" of the group, or kNoButton
    Region region;
    const char16_t *label;      // the text beside the row, or nullptr
    Caption caption;
    MemberSet memberSet;        // what each member names

    constexpr int count() const { return last - first + 1; }
    constexpr bool holds(int index) const { return index >= first && index <= last; }
};

std::span<const ConditionRow> condition_rows();

// The row holding that member, or nullptr.
const ConditionRow *condition_row(QStringView array, int index);

// The rows of one family, in table order.
QList<const ConditionRow *> family_rows(MatrixRow family);

// The object names and captions of a row's members, in index order. Built
// once, so readers share them without copying.
const QStringList &member_names(const ConditionRow &row);
const QStringList &member_captions(const ConditionRow &row);

// The items a tolerance box lists: from .. to as numbers.
QStringList tolerance_items(const ConditionRow &row);

// Whether no earlier row has the same help button: builders place it once.
bool first_row_with_help(const ConditionRow &row);

// The mod-3 route grid: the member offset standing in column g (tens and
// units route) and row i (thousands and hundreds route). The first two
// columns are numbered from the top, the others from the bottom.
constexpr int route_offset(int column, int row)
{
    return 9 * column + (column < 2 ? row : 8 - row);
}
