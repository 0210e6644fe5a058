// The left column and the pattern grids as the player sees them: every
// control in its region with its caption, the grid arrangement, no overlaps
// and captions that fit.
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
    const char *name;
    Region region;
    QString frameCaption;   // empty for a region without a frame
    QStringList labels;
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

QList<QWidget *> childWidgets(const QWidget *region)
{
    return region->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
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

class TestPanelsLayout3 : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;

    QWidget *region(const char *name) const { return control<QWidget>(m_window.get(), QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        useTestFolders();
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
            QVERIFY2(region(e.region)->isAncestorOf(w), qPrintable(e.name));
            QCOMPARE(captionOf(w), e.caption);
        }
        for (const RegionInfo &info : regions()) {
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
            for (QWidget *w : childWidgets(region(info.name))) {
                const QRect r = inWindow(w, m_window.get());
                QVERIFY2(bounds.contains(r), qPrintable(QStringLiteral("%1 %2").arg(info.name, captionOf(w))));
            }
        }
    }

    void nothingOverlaps()
    {
        for (int a = 0; a < regions().size(); ++a) {
            for (int b = a + 1; b < regions().size(); ++b)
                QVERIFY(!regions()[a].region.rect().intersects(regions()[b].region.rect()));
        }
        for (const RegionInfo &info : regions()) {
            QWidget *area = region(info.name);
            const QList<QWidget *> children = childWidgets(area);
            for (int a = 0; a < children.size(); ++a) {
                for (int b = a + 1; b < children.size(); ++b) {
                    QVERIFY2(!children[a]->geometry().intersects(children[b]->geometry()),
                             qPrintable(QStringLiteral("%1: %2 / %3")
                                            .arg(info.name, children[a]->objectName() + captionOf(children[a]),
                                                 children[b]->objectName() + captionOf(children[b]))));
                }
            }
            // The frame caption stays readable.
            if (auto *group = qobject_cast<QGroupBox *>(area)) {
                const QRect title = titleRect(group);
                QVERIFY(title.width() > 0);
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
            for (QWidget *w : childWidgets(region(info.name))) {
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

QTEST_MAIN(TestPanelsLayout3)
#include "tst_panels_layout3.moc"
