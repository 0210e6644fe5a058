// The condition sheet as the player sees it: every control in its region
// with its caption, the grid arrangement, no overlaps and captions that fit.
#include "testsupport.h"

#include "panel/regions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <map>

namespace {
struct RegionInfo
{
    const char *name;       // the region's widget, or for a region whose controls
                            // stand on the window itself, a name for it
    Region region;
    QString frameCaption;   // empty for a region without a frame
    QStringList labels;
    bool onWindow = false;  // its controls are children of the window
    bool stacked = false;   // shares its place with the shown top panel
};

const QList<RegionInfo> &regions()
{
    static const QList<RegionInfo> list = {
        {"PositionalKill", Regions::PositionalKill, "定位杀(打钩表示排除)-定位容错", {"千位", "百位", "十位", "个位", "至"}},
        {"SumSpan", Regions::SumSpan, "和,跨,胆[打钩表示排除]", {"杀和尾", "杀和值", "杀跨度", "通杀码", "杀AC值"}},
        {"DanRows", Regions::DanRows, "胆组",
         {"胆码开出个数", "胆组容错", "至", "胆码用法请点击【胆码说明】按钮"}},
        {"Ratios", Regions::Ratios, QString(), {"大小比", "奇偶比", "质合比", "[选择为出]"}},
        {"Shapes", Regions::Shapes, QString(), {"杀特殊形态"}},
        {"BigSmallGrid", Regions::BigSmallGrid, "杀大小形态", {}},
        {"OddEvenGrid", Regions::OddEvenGrid, "杀奇偶形态", {}},
        {"PrimeCompositeGrid", Regions::PrimeCompositeGrid, "-杀质合形态", {}},
        {"RouteGrid", Regions::RouteGrid, "杀012路形态", {}},
        {"Frame_ding(0)", Regions::TopPanelFrame, "杀直选号码", {"双击清空"}},
        {"Frame_ding(1)", Regions::TopPanelFrame, "杀垃圾复式", {"双击清空"}, false, true},
        {"Frame_ding(2)", Regions::TopPanelFrame, "杀2码/必出2码", {"杀两码组合", "必出两码组合"}, false, true},
        {"Frame_ding(3)", Regions::TopPanelFrame, "杀3码/必出3码", {"杀3码组合", "必出3码组合"}, false, true},
        {"Frame_ding(4)", Regions::TopPanelFrame, "定位杀号", {"双击清空"}, false, true},
        {"Frame_ding(5)", Regions::SetOperationPanel, "交集", {"大底A", "大底B", "结果注数"}, false, true},
        {"SpecialExclusions", Regions::SpecialExclusions, "特别排除(以下连号与旧版稍有不同，详情看说明)", {}},
        {"MinMaxDigits", Regions::MinMaxDigits, QString(), {"最小号码", "最大号码"}},
        {"ResultColumn", Regions::ResultColumn, QString(), {"最后注数：", "总容错", "至"}},
        {"TabRow", Regions::TabRow, QString(), {}, true},
        {"BaseSetBox", Regions::BaseSetBox, QString(), {}, true},
        {"FeedLabels", Regions::FeedLabels, QString(), {}, true},
    };
    return list;
}

// Reference captions of the pattern grids, worked out from each pattern to
// its index (the window works the other way round).
std::map<int, QString> referencePatternCaptions()
{
    std::map<int, QString> captions;
    const QString classes[3] = {"大小", "奇偶", "质合"};
    for (int grid = 0; grid < 3; ++grid) {
        for (int thousands = 0; thousands < 2; ++thousands)
            for (int hundreds = 0; hundreds < 2; ++hundreds)
                for (int tens = 0; tens < 2; ++tens)
                    for (int units = 0; units < 2; ++units) {
                        const int index = 21 + 16 * grid + tens + 2 * hundreds + 4 * thousands + 8 * units;
                        const QString &c = classes[grid];
                        captions[index] = QString(c[thousands]) + c[hundreds] + c[tens] + c[units];
                    }
    }
    for (int n = 0; n < 81; ++n) {
        const int thousands = n / 27, hundreds = n / 9 % 3, tens = n / 3 % 3, units = n % 3;
        const int column = 3 * tens + units, row = 3 * thousands + hundreds;
        const int index = 69 + 9 * column + (column < 2 ? row : 8 - row);
        captions[index] = QStringLiteral("%1%2%3%4").arg(thousands).arg(hundreds).arg(tens).arg(units);
    }
    return captions;
}

const QString kAnyCaption = QStringLiteral("<any>");

struct ExpectedControl
{
    QString name;
    QString caption;
    const char *region;
};

QList<ExpectedControl> expectedControls()
{
    QList<ExpectedControl> list;
    auto add = [&](const char *family, int first, int last, const char *region, auto caption) {
        for (int i = first; i <= last; ++i)
            list.append({arrayName(family, i), caption(i), region});
    };
    auto digit = [](int offset) { return [offset](int i) { return QString::number(i - offset); }; };
    auto text = [](const QString &t) { return [t](int) { return t; }; };
    auto positionDigit = [](int i) { return QString::number(i % 10); };

    add("Check_hewei_sha1", 0, 39, "PositionalKill", positionDigit);
    add("C_cls", 0, 3, "PositionalKill", text("清"));
    add("Com_rc", 0, 1, "PositionalKill", text("0"));
    add("C_teshu_sm", 8, 8, "PositionalKill", text("说明"));

    add("Check_hewei_sha", 0, 9, "SumSpan", digit(0));
    add("T_cs_ip", 0, 0, "SumSpan", text("和值输入要保持2位数，例如：00 05 08 16"));
    add("Check_kuadu_sha", 0, 9, "SumSpan", digit(0));
    add("Check_tsm_sha", 0, 9, "SumSpan", digit(0));
    add("Check_ac_sha", 0, 5, "SumSpan", digit(-1));
    add("C_cls", 4, 8, "SumSpan", text("清"));
    add("C_teshu_sm", 9, 9, "SumSpan", text("说明"));

    add("C_danzu", 0, 39, "DanRows", positionDigit);
    add("C_danzu_gs", 0, 19, "DanRows", [](int i) { return QString::number(i % 5); });
    add("C_cls", 9, 12, "DanRows", text("清"));
    add("C_cls", 13, 16, "DanRows", text("全"));
    list.append({"Check_dm_jchong", "胆码计重", "DanRows"});
    add("Com_rc", 2, 3, "DanRows", text("0"));
    add("C_teshu_sm", 2, 2, "DanRows", text("胆码说明"));
    add("C_teshu_sm", 7, 7, "DanRows", text("说明"));

    const QStringList ratios = {"0:4", "1:3", "2:2", "3:1", "4:0"};
    add("C_bi", 0, 14, "Ratios", [ratios](int i) { return ratios[i % 5]; });
    add("C_cls", 17, 19, "Ratios", text("全"));
    add("C_cls", 20, 22, "Ratios", text("清"));
    add("C_teshu_sm", 12, 12, "Ratios", text("说明"));

    const QStringList shapes = {"上山", "下山", "凸形", "凹形", "N形", "反N形"};
    add("C_bi", 15, 20, "Shapes", [shapes](int i) { return shapes[i - 15]; });
    add("C_cls", 23, 23, "Shapes", text("清"));
    add("C_teshu_sm", 6, 6, "Shapes", text("说明"));

    const std::map<int, QString> patterns = referencePatternCaptions();
    auto pattern = [patterns](int i) { return patterns.at(i); };
    add("C_bi", 21, 36, "BigSmallGrid", pattern);
    add("C_cls", 25, 25, "BigSmallGrid", text("清"));
    add("C_teshu_sm", 1, 1, "BigSmallGrid", text("说明"));
    add("C_bi", 37, 52, "OddEvenGrid", pattern);
    add("C_cls", 27, 27, "OddEvenGrid", text("清"));
    add("C_bi", 53, 68, "PrimeCompositeGrid", pattern);
    add("C_cls", 29, 29, "PrimeCompositeGrid", text("清"));
    add("C_bi", 69, 149, "RouteGrid", pattern);
    add("C_cls", 31, 31, "RouteGrid", text("清"));
    add("C_teshu_sm", 10, 10, "RouteGrid", text("说明"));

    const QStringList tabs = {"杀直选号码", "杀垃圾复式", "杀2码/必出2码", "杀3码/必出3码", "定位杀号", "交集"};
    add("C_sst_0", 0, 5, "TabRow", [tabs](int i) { return tabs[i]; });
    // Link captions and labels come from the feed; only their place is fixed.
    for (int n = 1; n <= 10; ++n)
        list.append({arrayName("C_gn_ding", n), kAnyCaption, "TabRow"});

    add("T_ding", 0, 0, "Frame_ding(0)", text("\n号码之间用空格、逗号或换行隔开，双击清空\n"));
    add("C_teshu_sm", 5, 5, "Frame_ding(0)", text("说明"));
    add("T_ding", 1, 1, "Frame_ding(1)", text("\n双击清空\n"));
    add("C_teshu_sm", 11, 11, "Frame_ding(1)", text("说明"));
    add("T_ding", 2, 3, "Frame_ding(2)", text("\n双击清空\n"));
    add("C_teshu_sm", 13, 14, "Frame_ding(2)", text("说明"));
    add("T_ding", 4, 5, "Frame_ding(3)", text("\n双击清空\n"));
    add("C_teshu_sm", 15, 16, "Frame_ding(3)", text("说明"));
    add("T_ding", 6, 6, "Frame_ding(4)", text("\n双击清空\n"));
    add("C_teshu_sm", 17, 17, "Frame_ding(4)", text("说明"));

    add("T_jj", 0, 2, "Frame_ding(5)", text(QString()));
    list.append({"Ljiaoji_zhushu", "0", "Frame_ding(5)"});
    const QStringList setActions = {"复制号码", "A.B交集", "A.B并集", "A排除B", "B排除A"};
    add("C_guolv_ks", 5, 9, "Frame_ding(5)", [setActions](int i) { return setActions[i - 5]; });
    add("C_cls", 24, 24, "Frame_ding(5)", text("清"));
    add("C_cls", 26, 26, "Frame_ding(5)", text("清"));
    add("C_teshu_sm", 3, 3, "Frame_ding(5)", text("说明"));

    const QStringList exclusions = {"不连", "2连", "3连", "4连", "AAAA", "AAAB", "AABC", "AABB", "ABCD"};
    add("C_bi", 150, 158, "SpecialExclusions", [exclusions](int i) { return exclusions[i - 150]; });
    add("C_teshu_sm", 4, 4, "SpecialExclusions", text("说明"));
    add("C_max", 0, 8, "MinMaxDigits", digit(0));
    add("C_max", 9, 17, "MinMaxDigits", digit(8));
    add("C_cls", 32, 32, "MinMaxDigits", text("清"));
    add("C_teshu_sm", 0, 0, "MinMaxDigits", text("说明"));

    list.append({"T_cs_ip(3)", "大底号码，双击清空\n", "BaseSetBox"});

    list.append({"Li_out", QString(), "ResultColumn"});
    list.append({"dadi_zhushu", "0", "ResultColumn"});
    add("Com_rc", 4, 5, "ResultColumn", text("0"));
    list.append({"L_duijiang_news", "【中奖查询】", "ResultColumn"});
    list.append({"T_duijiang", QString(), "ResultColumn"});
    const QStringList actions = {"[开始缩水]", "复制号码", "转为组选", "清空条件", "反选"};
    add("C_guolv_ks", 0, 4, "ResultColumn", [actions](int i) { return actions[i]; });
    add("C_teshu_sm", 18, 18, "ResultColumn", text("说明"));

    list.append({"L_server", kAnyCaption, "FeedLabels"});
    for (int k = 0; k < 3; ++k)
        list.append({arrayName("L_di_ad", k), kAnyCaption, "FeedLabels"});
    return list;
}

QString captionOf(const QWidget *w)
{
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (auto *box = qobject_cast<const QPlainTextEdit *>(w))
        return box->toPlainText();
    if (auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->currentText();
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->text();
    return QString();
}

QRect inWindow(const QWidget *w, const QWidget *window)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

// The controls of a region: its widget's children, or the window's controls
// listed for it.
QList<QWidget *> members(const RegionInfo &info, const QWidget *window)
{
    if (!info.onWindow) {
        const QWidget *area = window->findChild<QWidget *>(QLatin1String(info.name));
        return area ? area->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly) : QList<QWidget *>();
    }
    QList<QWidget *> found;
    for (const ExpectedControl &e : expectedControls()) {
        if (QLatin1String(e.region) == QLatin1String(info.name))
            found.append(window->findChild<QWidget *>(e.name));
    }
    return found;
}

// Where a control stands in its region's coordinates.
QRect placeIn(const RegionInfo &info, const QWidget *w, const QWidget *window)
{
    return info.onWindow ? inWindow(w, window) : w->geometry();
}

QRect titleRect(const QGroupBox *group)
{
    QStyleOptionGroupBox option;
    option.initFrom(group);
    option.text = group->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    return group->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, group);
}

// Room a caption gets inside its control.
QRect captionRoom(const QWidget *w)
{
    if (auto *box = qobject_cast<const QCheckBox *>(w)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    }
    if (qobject_cast<const ColorButton *>(w))
        return w->rect().adjusted(1, 1, -1, -1);   // inside the drawn border
    return w->contentsRect();
}
}

class TestLayout : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;

    QWidget *region(const char *name) const { return control<QWidget>(m_window.get(), QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(useTestFolders());
        m_modals = std::make_unique<ModalRecorder>();
        m_window = startedWindow();
    }

    void cleanupTestCase()
    {
        m_window.reset();
        m_modals.reset();
    }

    void gridCaptionExamples_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::newRow("21") << 21 << "大大大大";
        QTest::newRow("22") << 22 << "大大小大";
        QTest::newRow("25") << 25 << "小大大大";
        QTest::newRow("29") << 29 << "大大大小";
        QTest::newRow("36") << 36 << "小小小小";
        QTest::newRow("38") << 38 << "奇奇偶奇";
        QTest::newRow("54") << 54 << "质质合质";
        QTest::newRow("69") << 69 << "0000";
        QTest::newRow("77") << 77 << "2200";
        QTest::newRow("78") << 78 << "0001";
        QTest::newRow("87") << 87 << "2202";
        QTest::newRow("149") << 149 << "0022";
    }

    void gridCaptionExamples()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QCOMPARE(button(m_window.get(), arrayName("C_bi", index))->text(), caption);
    }

    void everyGridCaptionFollowsTheRule()
    {
        const std::map<int, QString> reference = referencePatternCaptions();
        QCOMPARE(int(reference.size()), 129);
        QSet<QString> seen;
        for (const auto &[index, caption] : reference) {
            QCOMPARE(button(m_window.get(), arrayName("C_bi", index))->text(), caption);
            seen.insert(caption);
        }
        QCOMPARE(seen.size(), 129);
    }

    // Column and row of a grid member, counted by position on screen.
    void gridButtonsStandInTheirColumnsAndRows_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("big/small") << 21 << 36;
        QTest::newRow("odd/even") << 37 << 52;
        QTest::newRow("prime/composite") << 53 << 68;
        QTest::newRow("route") << 69 << 149;
    }

    void gridButtonsStandInTheirColumnsAndRows()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QList<int> xs, ys;
        for (int i = first; i <= last; ++i) {
            const QRect r = button(m_window.get(), arrayName("C_bi", i))->geometry();
            if (!xs.contains(r.x()))
                xs.append(r.x());
            if (!ys.contains(r.y()))
                ys.append(r.y());
        }
        std::sort(xs.begin(), xs.end());
        std::sort(ys.begin(), ys.end());
        const bool route = first == 69;
        QCOMPARE(xs.size(), route ? 9 : 2);
        QCOMPARE(ys.size(), route ? 9 : 8);
        for (int i = first; i <= last; ++i) {
            const ColorButton *b = button(m_window.get(), arrayName("C_bi", i));
            const int column = xs.indexOf(b->geometry().x()), row = ys.indexOf(b->geometry().y());
            const QString caption = b->text();
            if (route) {
                auto route = [&](int p) { return caption[p].digitValue(); };
                QCOMPARE(column, 3 * route(2) + route(3));
                QCOMPARE(row, 3 * route(0) + route(1));
            } else {
                QCOMPARE(column, (i - first) / 8);
                QCOMPARE(row, (i - first) % 8);
            }
        }
    }

    void everyControlIsInItsRegionWithItsCaption()
    {
        for (const ExpectedControl &e : expectedControls()) {
            QWidget *w = control<QWidget>(m_window.get(), e.name);
            QVERIFY2(w, qPrintable(e.name));
            if (e.caption != kAnyCaption)
                QCOMPARE(captionOf(w), e.caption);
        }
        for (const RegionInfo &info : regions()) {
            for (QWidget *w : members(info, m_window.get())) {
                QVERIFY2(w, info.name);
                QVERIFY2(info.onWindow ? w->parentWidget() == m_window.get() : region(info.name) == w->parentWidget(),
                         qPrintable(w->objectName()));
            }
            if (info.onWindow)
                continue;
            QWidget *area = region(info.name);
            QVERIFY2(area, info.name);
            QCOMPARE(area->geometry(), info.region.rect());
            if (info.frameCaption.isEmpty())
                QVERIFY(!qobject_cast<QGroupBox *>(area));
            else
                QCOMPARE(qobject_cast<QGroupBox *>(area)->title(), info.frameCaption);
            QStringList labels;
            for (QLabel *label : area->findChildren<QLabel *>())
                labels.append(label->text());
            for (const QString &label : info.labels)
                QVERIFY2(labels.contains(label), qPrintable(label));
        }
    }

    void everyControlLiesInsideItsRegion()
    {
        for (const RegionInfo &info : regions()) {
            const QRect bounds = info.region.rect();
            for (QWidget *w : members(info, m_window.get())) {
                const QRect r = inWindow(w, m_window.get());
                QVERIFY2(bounds.contains(r), qPrintable(QStringLiteral("%1 %2").arg(info.name, captionOf(w))));
            }
        }
    }

    void nothingOverlaps()
    {
        // The top panels share one place; the set-operation panel covers what
        // lies below it while shown.
        for (int a = 0; a < regions().size(); ++a) {
            for (int b = a + 1; b < regions().size(); ++b) {
                if (regions()[a].stacked || regions()[b].stacked)
                    continue;
                QVERIFY2(!regions()[a].region.rect().intersects(regions()[b].region.rect()),
                         qPrintable(QStringLiteral("%1 / %2").arg(regions()[a].name, regions()[b].name)));
            }
        }
        for (const RegionInfo &info : regions()) {
            QWidget *area = info.onWindow ? nullptr : region(info.name);
            const QList<QWidget *> children = members(info, m_window.get());
            for (int a = 0; a < children.size(); ++a) {
                for (int b = a + 1; b < children.size(); ++b) {
                    QVERIFY2(!placeIn(info, children[a], m_window.get())
                                  .intersects(placeIn(info, children[b], m_window.get())),
                             qPrintable(QStringLiteral("%1: %2 / %3")
                                            .arg(info.name, children[a]->objectName() + captionOf(children[a]),
                                                 children[b]->objectName() + captionOf(children[b]))));
                }
            }
            // The frame caption stays readable.
            if (auto *group = qobject_cast<QGroupBox *>(area)) {
                const QRect title = titleRect(group);
                QVERIFY2(title.width() >= QFontMetrics(group->font()).horizontalAdvance(group->title()),
                         qPrintable(group->title()));
                QVERIFY2(group->rect().contains(title), qPrintable(group->title()));
                for (QWidget *child : children)
                    QVERIFY2(!child->geometry().intersects(title),
                             qPrintable(QStringLiteral("%1: %2 over the caption %3")
                                            .arg(info.name, child->objectName() + captionOf(child))
                                            .arg(QDebug::toString(title))));
            }
        }
    }

    void captionsFit()
    {
        for (const RegionInfo &info : regions()) {
            for (QWidget *w : members(info, m_window.get())) {
                QString caption;
                if (auto *label = qobject_cast<QLabel *>(w))
                    caption = label->text();
                else if (auto *b = qobject_cast<QAbstractButton *>(w))
                    caption = b->text();
                else
                    continue;
                const QFontMetrics metrics(w->font());
                const QRect room = captionRoom(w);
                const QString where = QStringLiteral("%1 %2").arg(info.name, caption);
                QVERIFY2(metrics.horizontalAdvance(caption) <= room.width(), qPrintable(where));
                QVERIFY2(metrics.tightBoundingRect(caption).height() <= room.height(), qPrintable(where));
                QVERIFY2(metrics.height() <= w->height(), qPrintable(where));
            }
        }
    }

    void smallButtonsHaveTheirSizes()
    {
        const QSize digit(px(Regions::DigitButtonWidth), px(Regions::DigitButtonHeight));
        const QSize ratio(px(Regions::RatioButtonWidth), px(Regions::RatioButtonHeight));
        const QSize clear(px(Regions::ClearButtonWidth), px(Regions::ClearButtonHeight));
        QCOMPARE(digit, QSize(20, 18));
        for (int i = 0; i < 40; ++i)
            QCOMPARE(button(m_window.get(), arrayName("C_danzu", i))->size(), digit);
        for (int i = 0; i < 20; ++i)
            QCOMPARE(button(m_window.get(), arrayName("C_danzu_gs", i))->size(), digit);
        for (int i = 0; i < 15; ++i)
            QCOMPARE(button(m_window.get(), arrayName("C_bi", i))->size(), ratio);
        for (const ExpectedControl &e : expectedControls()) {
            if (!e.name.startsWith("C_cls("))
                continue;
            const ColorButton *b = button(m_window.get(), e.name);
            QCOMPARE(b->size(), clear);
            QCOMPARE(b->backColor(), Colour::Grey);
        }
    }

    void helpButtonsSitOnTheTopEdge()
    {
        for (const ExpectedControl &e : expectedControls()) {
            if (!e.name.startsWith("C_teshu_sm("))
                continue;
            const ColorButton *b = button(m_window.get(), e.name);
            QCOMPARE(b->backColor(), Colour::HelpBlue);
            QVERIFY2(b->parentWidget() == region(e.region), qPrintable(e.name));
            // The total tolerance's help stands just above the row it explains.
            if (e.name != QStringLiteral("C_teshu_sm(18)"))
                QVERIFY2(b->y() <= 5, qPrintable(e.name));
        }
    }

    void digitNineEndsEachRow()
    {
        for (int row = 0; row < 4; ++row) {
            for (int d = 0; d < 9; ++d) {
                QVERIFY(control<QWidget>(m_window.get(), arrayName("Check_hewei_sha1", 10 * row + d))->x()
                        < control<QWidget>(m_window.get(), arrayName("Check_hewei_sha1", 10 * row + 9))->x());
                QVERIFY(button(m_window.get(), arrayName("C_danzu", 10 * row + d))->x()
                        < button(m_window.get(), arrayName("C_danzu", 10 * row + 9))->x());
            }
        }
    }
};

QTEST_MAIN(TestLayout)
#include "tst_layout.moc"
