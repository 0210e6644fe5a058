#include "panel/pattern_grids.h"

#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/group_buttons.h"
#include "panel/regions.h"

#include <QGroupBox>

namespace {
// A grid over two digit classes: sixteen patterns in two columns of eight.
struct ClassGrid
{
    Region region;
    const char *name;
    const char16_t *caption;
    int firstIndex;
    const char16_t *classes;    // the first and the second class character
    int clearIndex;
};

constexpr ClassGrid kClassGrids[] = {
    {Regions::BigSmallGrid, "BigSmallGrid", u"杀大小形态", 21, u"大小", 25},
    {Regions::OddEvenGrid, "OddEvenGrid", u"杀奇偶形态", 37, u"奇偶", 27},
    {Regions::PrimeCompositeGrid, "PrimeCompositeGrid", u"-杀质合形态", 53, u"质合", 29},
};

// The three class grids share one help button.
constexpr int kClassGridHelp = 1;
constexpr int kRouteGridHelp = 10;
constexpr int kFirstRoute = 69;

// Member j of a class grid has the second class at tens when j has bit 1, at
// hundreds for bit 2, at thousands for 4 and at units for 8. Captions read
// thousands, hundreds, tens, units.
QString classPattern(const char16_t *classes, int j)
{
    constexpr int kBitOfPosition[4] = {4, 2, 1, 8};
    QString caption;
    for (int bit : kBitOfPosition)
        caption += QChar(classes[(j & bit) ? 1 : 0]);
    return caption;
}

// Column g of the route grid holds tens route g / 3 and units route g % 3;
// row i holds thousands route i / 3 and hundreds route i % 3.
QString routePattern(int column, int row)
{
    const int routes[4] = {row / 3, row % 3, column / 3, column % 3};
    QString caption;
    for (int route : routes)
        caption += QChar(u'0' + route);
    return caption;
}

// The first two columns are numbered from the top, the others from the bottom.
int routeIndex(int column, int row)
{
    return kFirstRoute + 9 * column + (column < 2 ? row : 8 - row);
}

void placePattern(QWidget *group, Controls &c, int index, const QString &caption, const QRect &geometry)
{
    place(c.C_bi, index, make_button(group, arrayName("C_bi", index), caption, geometry));
}

void buildClassGrid(QWidget *window, Controls &c, const ClassGrid &grid)
{
    QGroupBox *group = make_frame(window, QLatin1String(grid.name), QString::fromUtf16(grid.caption),
                                  grid.region.rect());
    constexpr int width = 60, height = 19, left = 5, columnPitch = 64, top = 20, rowPitch = 20;
    for (int j = 0; j < 16; ++j) {
        const QRect geometry(left + columnPitch * (j / 8), top + rowPitch * (j % 8), width, height);
        placePattern(group, c, grid.firstIndex + j, classPattern(grid.classes, j), geometry);
    }
    make_clear_button(group, c, grid.clearIndex, QPoint(left + columnPitch + width - 25, top + 8 * rowPitch + 2));
    if (grid.firstIndex == kClassGrids[0].firstIndex)
        make_help_button(group, c, kClassGridHelp, QPoint(92, 0));
}

void buildRouteGrid(QWidget *window, Controls &c)
{
    QGroupBox *group = make_frame(window, QStringLiteral("RouteGrid"), QStringLiteral("杀012路形态"),
                                  Regions::RouteGrid.rect());
    // Blocks of three columns (one tens route) and of three rows (one
    // thousands route) stand a little apart.
    constexpr int width = 42, height = 20, left = 5, top = 20, pitch = 44, rowPitch = 21, blockGap = 3;
    for (int g = 0; g < 9; ++g) {
        for (int i = 0; i < 9; ++i) {
            const QRect geometry(left + pitch * g + blockGap * (g / 3), top + rowPitch * i + blockGap * (i / 3),
                                 width, height);
            placePattern(group, c, routeIndex(g, i), routePattern(g, i), geometry);
        }
    }
    make_clear_button(group, c, 31, QPoint(330, 0));
    make_help_button(group, c, kRouteGridHelp, QPoint(362, 0));
}
}

void build_pattern_grids(QWidget *window, Controls &controls)
{
    for (const ClassGrid &grid : kClassGrids)
        buildClassGrid(window, controls, grid);
    buildRouteGrid(window, controls);
}
