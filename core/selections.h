#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

// What the player has chosen, read from the window when a run starts. The
// engine sees only this snapshot, never a control. Texts are built the way
// the conditions compare them: check boxes give index flags, buttons give the
// captions of the selected members.

struct ToleranceRange
{
    int16_t from = 0;
    int16_t to = 0;
    bool contains(int count) const { return count >= from && count <= to; }

    bool operator==(const ToleranceRange &) const = default;
};

constexpr std::size_t kEnteredListBoxCount = 7;

// The seven typed lists of the top panels, as typed.
struct EnteredListSelection
{
    std::array<QString, kEnteredListBoxCount> boxes;    // T_ding(0)..(6)

    bool operator==(const EnteredListSelection &) const = default;
};

struct PositionalKillSelection
{
    std::array<bool, 40> struck{};  // index 10 * position + digit
    ToleranceRange tolerance;       // Com_rc(0) / (1)

    bool operator==(const PositionalKillSelection &) const = default;
};

struct SumSpanSelection
{
    std::array<bool, 10> sumTails{};
    QString sumValueText;           // T_cs_ip(0), as typed
    std::array<bool, 10> spans{};
    std::array<bool, 10> killAllDigits{};
    std::array<bool, 6> acValues{}; // index i stands for AC value i + 1

    bool operator==(const SumSpanSelection &) const = default;
};

struct DanSelection
{
    std::array<QString, 4> digits;  // D_r: selected dan digits of row r, e.g. "12"
    std::array<QString, 4> counts;  // A_r: selected hit counts of row r, empty when none
    bool countRepeats = false;      // 胆码计重
    ToleranceRange tolerance;       // Com_rc(2) / (3)

    bool operator==(const DanSelection &) const = default;
};

struct RatioSelection
{
    // Selected captions of big:small, odd:even, prime:composite, each followed by "*".
    std::array<QString, 3> lists;

    bool operator==(const RatioSelection &) const = default;
};

struct ShapeSelection
{
    QString list;                   // selected captions each followed by "*", e.g. "上山*N形*"

    bool operator==(const ShapeSelection &) const = default;
};

enum PatternGrid { BigSmallGrid, OddEvenGrid, PrimeCompositeGrid, RouteGrid };

struct PatternSelection
{
    std::array<QString, 4> lists;   // per PatternGrid: selected captions each followed by "*"

    bool operator==(const PatternSelection &) const = default;
};

struct SpecialExclusionSelection
{
    QStringList captions;           // selected captions among 不连 ... ABCD

    bool operator==(const SpecialExclusionSelection &) const = default;
};

struct MinMaxSelection
{
    QString smallest;               // captions of the selected smallest-digit buttons
    QString largest;                // captions of the selected largest-digit buttons

    bool operator==(const MinMaxSelection &) const = default;
};

struct Selections
{
    EnteredListSelection entered;
    PositionalKillSelection positionalKill;
    SumSpanSelection sumSpan;
    DanSelection dan;
    RatioSelection ratios;
    ShapeSelection shapes;
    PatternSelection patterns;
    SpecialExclusionSelection specialExclusions;
    MinMaxSelection minMax;
    QString baseSetText;            // T_cs_ip(3), as typed
    ToleranceRange total;           // Com_rc(4) / (5)

    bool operator==(const Selections &) const = default;
};
