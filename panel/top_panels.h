#pragma once

#include "panel/regions.h"

#include <iterator>

struct Controls;
class QWidget;

// The six top panels share one place on the sheet; the tab row above them
// chooses which one shows. Panels 0-4 hold the typed lists T_ding, panel 5
// the base-set operations.
struct TopPanelSpec
{
    const char16_t *caption;    // of the tab C_sst_0 and of the panel Frame_ding
    int tabWidth;               // twips, wide enough for the caption
};

constexpr TopPanelSpec kTopPanels[] = {
    {u"杀直选号码", 1140},
    {u"杀垃圾复式", 1140},
    {u"杀2码/必出2码", 1410},
    {u"杀3码/必出3码", 1410},
    {u"定位杀号", 960},
    {u"交集", 600},
};
constexpr int TopPanelCount = int(std::size(kTopPanels));
constexpr int SetOperationPanelIndex = 5;
constexpr int TabHeight = 390, TabGap = 30;

// Left edge, in twips, of the part of the tab row that the tabs leave free.
constexpr int tabRowFreeLeft()
{
    int left = Regions::TabRow.left;
    for (const TopPanelSpec &panel : kTopPanels)
        left += panel.tabWidth + TabGap;
    return left;
}

// Builds the tabs, the five entry panels and the set-operation panel. Only
// panel 0 is left visible; the start-up press of tab 0 settles the rest.
void build_top_panels(QWidget *window, Controls &c);

// Lays the five entry panels exactly on top of one another.
void stack_top_panels(Controls &c);

// Shows panel index alone and marks its tab light green.
void select_panel(Controls &c, int index);
