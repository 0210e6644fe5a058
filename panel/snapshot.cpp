#include "panel/snapshot.h"

#include "core/text.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>

namespace {
bool ticked(const QCheckBox *box)
{
    return box && box->checkState() == Qt::Checked;
}

bool hasColour(const ColorButton *button, int colour)
{
    return button && button->backColor() == colour;
}

template<size_t N>
std::array<bool, N> tickedFlags(const QList<QCheckBox *> &boxes, int first = 0)
{
    std::array<bool, N> flags{};
    for (size_t i = 0; i < N; ++i)
        flags[i] = first + int(i) < boxes.size() && ticked(boxes[first + int(i)]);
    return flags;
}

QString boxText(const QList<QPlainTextEdit *> &boxes, int index)
{
    return index < boxes.size() && boxes[index] ? boxes[index]->toPlainText() : QString();
}

ToleranceRange toleranceOf(const QList<QComboBox *> &boxes, int fromIndex)
{
    auto value = [&](int i) {
        return i < boxes.size() && boxes[i] ? tolerance_value(boxes[i]->currentText()) : int16_t(0);
    };
    return {value(fromIndex), value(fromIndex + 1)};
}

// Captions of the members first..last that show colour, each followed by "*".
QString starredCaptions(const QList<ColorButton *> &buttons, int first, int last, int colour)
{
    QString list;
    for (int i = first; i <= last && i < buttons.size(); ++i) {
        if (hasColour(buttons[i], colour))
            list += buttons[i]->text() + u'*';
    }
    return list;
}

DanSelection readDan(const Controls &c)
{
    DanSelection dan;
    for (int r = 0; r < 4; ++r) {
        for (int d = 0; d < 10; ++d) {
            const int i = 10 * r + d;
            if (i < c.C_danzu.size() && hasColour(c.C_danzu[i], Colour::Green))
                dan.digits[r] += QChar(u'0' + d);
        }
        for (int k = 0; k < 5; ++k) {
            const int i = 5 * r + k;
            if (i < c.C_danzu_gs.size() && hasColour(c.C_danzu_gs[i], Colour::Green))
                dan.counts[r] += QChar(u'0' + k);
        }
    }
    dan.countRepeats = ticked(c.Check_dm_jchong);
    dan.tolerance = toleranceOf(c.Com_rc, 2);
    return dan;
}

MinMaxSelection readMinMax(const Controls &c)
{
    // Anything but grey counts as selected here.
    MinMaxSelection minMax;
    for (int i = 0; i < c.C_max.size(); ++i) {
        const ColorButton *button = c.C_max[i];
        if (!button || button->backColor() == Colour::Grey)
            continue;
        (i <= 8 ? minMax.smallest : minMax.largest) += button->text();
    }
    return minMax;
}
}

Selections read_selections(const Controls &c)
{
    Selections s;
    for (int i = 0; i < 7; ++i)
        s.entered.boxes[i] = boxText(c.T_ding, i);

    s.positionalKill.struck = tickedFlags<40>(c.Check_hewei_sha1);
    s.positionalKill.tolerance = toleranceOf(c.Com_rc, 0);

    s.sumSpan.sumTails = tickedFlags<10>(c.Check_hewei_sha);
    s.sumSpan.sumValueText = boxText(c.T_cs_ip, 0);
    s.sumSpan.spans = tickedFlags<10>(c.Check_kuadu_sha);
    s.sumSpan.killAllDigits = tickedFlags<10>(c.Check_tsm_sha);
    s.sumSpan.acValues = tickedFlags<6>(c.Check_ac_sha);

    s.dan = readDan(c);

    for (int q = 0; q < 3; ++q)
        s.ratios.lists[q] = starredCaptions(c.C_bi, 5 * q, 5 * q + 4, Colour::Green);
    s.shapes.list = starredCaptions(c.C_bi, 15, 20, Colour::Yellow);
    s.patterns.lists[BigSmallGrid] = starredCaptions(c.C_bi, 21, 36, Colour::Yellow);
    s.patterns.lists[OddEvenGrid] = starredCaptions(c.C_bi, 37, 52, Colour::Yellow);
    s.patterns.lists[PrimeCompositeGrid] = starredCaptions(c.C_bi, 53, 68, Colour::Yellow);
    s.patterns.lists[RouteGrid] = starredCaptions(c.C_bi, 69, 149, Colour::Yellow);

    for (int i = 150; i <= 158 && i < c.C_bi.size(); ++i) {
        if (hasColour(c.C_bi[i], Colour::Yellow))
            s.specialExclusions.captions.append(c.C_bi[i]->text());
    }
    s.minMax = readMinMax(c);

    s.baseSetText = boxText(c.T_cs_ip, 3);
    s.total = toleranceOf(c.Com_rc, 4);
    return s;
}
