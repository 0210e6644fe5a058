#include "panel/top_panels.h"

#include "core/condition_table.h"
#include "panel/actions.h"
#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/group_buttons.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextOption>
#include <QPushButton>
#include <algorithm>

namespace {
// Inside an entry panel, in twips.
constexpr int PanelMargin = 90, SlotGap = 120;
constexpr int ContentTop = 300;
constexpr int EntryLabelWidth = 1140, EntryLabelGap = 30;

void buildTabs(QWidget *window, Controls &c)
{
    int left = Regions::TabRow.left;
    for (int i = 0; i < TopPanelCount; ++i) {
        const TopPanelSpec &panel = kTopPanels[i];
        place(c.C_sst_0, i,
              make_button(window, arrayName("C_sst_0", i), QString::fromUtf16(panel.caption),
                          twipRect(left, Regions::TabRow.top, panel.tabWidth, TabHeight)));
        left += panel.tabWidth + TabGap;
    }
}

QGroupBox *buildPanelFrame(QWidget *window, Controls &c, int index, const Region &region)
{
    QGroupBox *frame = make_frame(window, arrayName("Frame_ding", index),
                                  QString::fromUtf16(kTopPanels[index].caption), region.rect());
    // Panels cover what lies beneath them: the set-operation panel hides
    // part of the positional kill while it is shown.
    frame->setAutoFillBackground(true);
    place(c.Frame_ding, index, frame);
    return frame;
}

// An entry box T_ding is one row of the condition table; the boxes of one
// panel stand side by side, each with its label on the left and its help on
// the top edge. The box starts with its hint and a line break.
void buildEntryBox(QGroupBox *frame, Controls &c, const ConditionRow &entry, int slot, int slotCount)
{
    const Region &region = entry.region;
    const int slotWidth = (region.width - 2 * PanelMargin - (slotCount - 1) * SlotGap) / slotCount;
    const int slotLeft = PanelMargin + slot * (slotWidth + SlotGap);
    const int boxLeft = slotLeft + EntryLabelWidth + EntryLabelGap;

    make_label(frame, QString::fromUtf16(entry.label),
               twipRect(slotLeft, ContentTop, EntryLabelWidth, Regions::DigitButtonHeight));
    QPlainTextEdit *text = make_text_box(
        frame, member_names(entry).first(),
        twipRect(boxLeft, ContentTop, slotLeft + slotWidth - boxLeft, region.height - ContentTop - PanelMargin),
        member_captions(entry).first() + u'\n');
    clear_on_double_click(text);
    place(c.T_ding, entry.first, text);
    make_help_button(frame, c, entry.helpButton, QPoint(px(slotLeft + slotWidth - HelpButtonWidth), 0));
}

void buildEntryPanels(QWidget *window, Controls &c)
{
    const QList<const ConditionRow *> entries = family_rows(EnteredListRow);
    for (int panel = 0; panel < SetOperationPanelIndex; ++panel) {
        QGroupBox *frame = buildPanelFrame(window, c, panel, Regions::TopPanelFrame);
        const auto inPanel = [panel](const ConditionRow *entry) { return entry->part == panel; };
        const int slotCount = int(std::count_if(entries.begin(), entries.end(), inPanel));
        int slot = 0;
        for (const ConditionRow *entry : entries) {
            if (inPanel(entry))
                buildEntryBox(frame, c, *entry, slot++, slotCount);
        }
    }
}

// An operation leaves up to 10,000 numbers in each box as one paragraph,
// which Qt lays out whole on every change. Digits and spaces look the same
// unshaped, and with the direction fixed left to right nobody scans the
// paragraph for one; both cut that cost without changing what is shown.
void keepLongListsCheap(QPlainTextEdit *box)
{
    QFont font = box->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    box->setFont(font);
    QTextOption option = box->document()->defaultTextOption();
    option.setTextDirection(Qt::LeftToRight);
    box->document()->setDefaultTextOption(option);
}

// Base sets A and B and their result in three columns; the operations in a
// row beneath them.
void buildSetOperationPanel(QWidget *window, Controls &c)
{
    const Region &region = Regions::SetOperationPanel;
    QGroupBox *frame = buildPanelFrame(window, c, SetOperationPanelIndex, region);

    constexpr int ColumnGap = 90, LabelTop = 300, BoxTop = 630, BoxHeight = 1800;
    const int columnWidth = (region.width - 2 * PanelMargin - 2 * ColumnGap) / 3;
    auto columnLeft = [&](int column) { return PanelMargin + column * (columnWidth + ColumnGap); };
    const int labelHeight = Regions::ClearButtonHeight;

    const char16_t *baseLabels[] = {u"大底A", u"大底B"};
    for (int column = 0; column < 3; ++column) {
        const int left = columnLeft(column);
        QPlainTextEdit *box = make_text_box(frame, arrayName("T_jj", column), twipRect(left, BoxTop, columnWidth, BoxHeight));
        keepLongListsCheap(box);
        place(c.T_jj, column, box);
        if (column == 2)
            continue;
        make_label(frame, QString::fromUtf16(baseLabels[column]), twipRect(left, LabelTop, 900, labelHeight));
        make_clear_button(frame, c, kSetOperationClears[column].button, QPoint(px(left + columnWidth - Regions::ClearButtonWidth), px(LabelTop)));
    }
    const int resultLeft = columnLeft(2);
    constexpr int CountLabelWidth = 780;
    make_label(frame, QStringLiteral("结果注数"), twipRect(resultLeft, LabelTop, CountLabelWidth, labelHeight));
    c.Ljiaoji_zhushu = make_label(
        frame, QStringLiteral("0"),
        twipRect(resultLeft + CountLabelWidth + 15, LabelTop, columnWidth - CountLabelWidth - 15, labelHeight),
        QStringLiteral("Ljiaoji_zhushu"));

    // The operations first, copying their result last.
    constexpr Action kRow[] = {Intersection, Union, AWithoutB, BWithoutA, CopySetResult};
    constexpr int ButtonTop = 2520, ButtonHeight = 390, ButtonGap = 75;
    const int buttonCount = int(std::size(kRow));
    const int buttonWidth = (region.width - 2 * PanelMargin - (buttonCount - 1) * ButtonGap) / buttonCount;
    for (int k = 0; k < buttonCount; ++k) {
        const int index = kRow[k];
        const ActionButtonSpec &action = kActionButtons[index];
        place(c.C_guolv_ks, index,
              make_button(frame, arrayName("C_guolv_ks", index), QString::fromUtf16(action.caption),
                          twipRect(PanelMargin + k * (buttonWidth + ButtonGap), ButtonTop, buttonWidth,
                                   ButtonHeight),
                          action.colour));
    }
    make_help_button(frame, c, 3, QPoint(px(region.width - PanelMargin - HelpButtonWidth), 0));
}
}

void build_top_panels(QWidget *window, Controls &c)
{
    buildTabs(window, c);
    buildEntryPanels(window, c);
    buildSetOperationPanel(window, c);
    // Panel 0 stays up until the start-up press of its tab; the set-operation
    // panel would cover the positional kill meanwhile.
    for (int i = 1; i < TopPanelCount; ++i)
        c.Frame_ding[i]->hide();
}

void stack_top_panels(Controls &c)
{
    for (int i = 0; i < SetOperationPanelIndex; ++i)
        c.Frame_ding[i]->move(Regions::TopPanelFrame.rect().topLeft());
}

void select_panel(Controls &c, int index)
{
    c.Cf->setFocus();
    for (int i = 0; i < TopPanelCount; ++i) {
        c.Frame_ding[i]->hide();
        c.C_sst_0[i]->setBackColor(Colour::Grey);
    }
    c.Frame_ding[index]->show();
    c.C_sst_0[index]->setBackColor(Colour::LightGreen);
    c.Frame_ding[index]->raise();
}
