#include "panel/pattern_grids.h"

#include "core/condition_table.h"
#include "panel/controls.h"
#include "panel/group_buttons.h"
#include "panel/regions.h"
#include "ui/colorbutton.h"
#include "ui/factory.h"

#include <QGroupBox>

namespace {
// The frame's object name of each grid; members, captions, region and
// buttons come from the grid's row of the condition table.
struct GridFrame
{
    MatrixRow family;
    const char *name;
};

constexpr GridFrame kClassGrids[] = {
    {BigSmallRow, "BigSmallGrid"},
    {OddEvenRow, "OddEvenGrid"},
    {PrimeCompositeRow, "PrimeCompositeGrid"},
};

QGroupBox *makeGridFrame(QWidget *window, const char *name, const ConditionRow &row)
{
    return make_frame(window, QLatin1String(name), QString::fromUtf16(row.label), row.region.rect());
}

void placePattern(QWidget *group, Controls &c, const ConditionRow &row, int offset, const QRect &geometry)
{
    place(c.C_bi, row.first + offset,
          make_button(group, member_names(row)[offset], member_captions(row)[offset], geometry));
}

// Sixteen patterns in two columns of eight.
void buildClassGrid(QWidget *window, Controls &c, const GridFrame &grid)
{
    const ConditionRow &row = *family_rows(grid.family).first();
    QGroupBox *group = makeGridFrame(window, grid.name, row);
    constexpr int width = 60, height = 19, left = 5, columnPitch = 64, top = 20, rowPitch = 20;
    constexpr int column = 8;
    for (int j = 0; j < row.count(); ++j)
        placePattern(group, c, row, j, QRect(left + columnPitch * (j / column), top + rowPitch * (j % column), width, height));
    make_clear_button(group, c, row.clearButton,
                      QPoint(left + columnPitch + width - 25, top + column * rowPitch + 2));
    // The three class grids share one help button, on the first.
    if (first_row_with_help(row))
        make_help_button(group, c, row.helpButton, QPoint(92, 0));
}

void buildRouteGrid(QWidget *window, Controls &c)
{
    const ConditionRow &row = *family_rows(RouteRow).first();
    QGroupBox *group = makeGridFrame(window, "RouteGrid", row);
    // Blocks of three columns (one tens route) and of three rows (one
    // thousands route) stand a little apart.
    constexpr int width = 42, height = 20, left = 5, top = 20, pitch = 44, rowPitch = 21, blockGap = 3;
    for (int g = 0; g < 9; ++g) {
        for (int i = 0; i < 9; ++i) {
            const QRect geometry(left + pitch * g + blockGap * (g / 3), top + rowPitch * i + blockGap * (i / 3),
                                 width, height);
            placePattern(group, c, row, route_offset(g, i), geometry);
        }
    }
    make_clear_button(group, c, row.clearButton, QPoint(330, 0));
    make_help_button(group, c, row.helpButton, QPoint(362, 0));
}
}

void build_pattern_grids(QWidget *window, Controls &controls)
{
    for (const GridFrame &grid : kClassGrids)
        buildClassGrid(window, controls, grid);
    buildRouteGrid(window, controls);
}
