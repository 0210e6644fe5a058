#include "testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

// Clearing conditions, converting to groups, combining base sets and the
// prize check, all through the window's controls.
class TestReset : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    void resetReturnsEveryConditionToItsStart();
    void eachClearButtonClearsOnlyItsGroup_data();
    void eachClearButtonClearsOnlyItsGroup();
    void selectAllOfDanRowTwo();
    void conversionOfEverything();
    void conversionOfABaseSet();
    void setOperationsThroughThePanel();
    void prizeCheckFollowsTheEntryAndRuns();
};

namespace {
QList<ColorButton *> toggles(const QWidget *w)
{
    QList<ColorButton *> found;
    for (ColorButton *b : w->findChildren<ColorButton *>()) {
        const QString name = b->objectName();
        if (name.startsWith(QStringLiteral("C_bi(")) || name.startsWith(QStringLiteral("C_max("))
            || name.startsWith(QStringLiteral("C_danzu")))
            found.append(b);
    }
    return found;
}

QList<QCheckBox *> conditionChecks(const QWidget *w)
{
    QList<QCheckBox *> found;
    for (QCheckBox *box : w->findChildren<QCheckBox *>()) {
        if (box->objectName() != QStringLiteral("Check_dm_jchong"))
            found.append(box);
    }
    return found;
}

QPlainTextEdit *box(const QWidget *w, const QString &name)
{
    return control<QPlainTextEdit>(w, name);
}

// A snapshot of every condition control's state, to see what a clear touched.
QStringList stateOf(const QWidget *w)
{
    QStringList state;
    for (ColorButton *b : toggles(w))
        state << b->objectName() + u'=' + QString::number(b->backColor());
    for (QCheckBox *c : w->findChildren<QCheckBox *>())
        state << c->objectName() + u'=' + QString::number(c->checkState());
    for (QPlainTextEdit *t : w->findChildren<QPlainTextEdit *>())
        state << t->objectName() + u'=' + t->toPlainText();
    state.sort();
    return state;
}

void selectEverything(const QWidget *w)
{
    for (ColorButton *b : toggles(w)) {
        const QString name = b->objectName();
        const bool yellow = name.startsWith(QStringLiteral("C_bi(")) && name.mid(5).chopped(1).toInt() >= 15;
        b->setBackColor(yellow ? Colour::Yellow : Colour::Green);
    }
    for (QCheckBox *c : w->findChildren<QCheckBox *>())
        c->setChecked(true);
    for (QPlainTextEdit *t : w->findChildren<QPlainTextEdit *>())
        t->setPlainText(QStringLiteral("1234 5678"));
}
}

void TestReset::resetReturnsEveryConditionToItsStart()
{
    ModalRecorder modals;
    auto w = startedWindow();
    selectEverything(w.get());
    for (int i = 0; i < 6; ++i)
        control<QComboBox>(w.get(), QStringLiteral("Com_rc(%1)").arg(i))->setEditText(QStringLiteral("3"));
    control<QLineEdit>(w.get(), QStringLiteral("T_duijiang"))->setText(QStringLiteral("1234"));
    button(w.get(), QStringLiteral("C_guolv_ks(4)"))->setBackColor(Colour::Red);

    pressAction(w.get(), 3);

    for (ColorButton *b : toggles(w.get()))
        QVERIFY2(b->backColor() == Colour::Grey, qPrintable(b->objectName()));
    for (QCheckBox *c : conditionChecks(w.get()))
        QVERIFY2(!c->isChecked(), qPrintable(c->objectName()));
    QVERIFY(control<QCheckBox>(w.get(), QStringLiteral("Check_dm_jchong"))->isChecked()); // keeps its value
    QCOMPARE(box(w.get(), QStringLiteral("T_ding(1)"))->toPlainText(), QStringLiteral("\n双击清空"));
    QCOMPARE(box(w.get(), QStringLiteral("T_ding(6)"))->toPlainText(), QStringLiteral("\n双击清空"));
    const QString notice = box(w.get(), QStringLiteral("T_ding(0)"))->toPlainText();
    QVERIFY(notice.startsWith(u'\n'));
    QVERIFY(!notice.contains(u'*'));
    QVERIFY(std::none_of(notice.begin(), notice.end(), [](QChar ch) { return ch.isDigit(); }));
    QCOMPARE(box(w.get(), QStringLiteral("T_cs_ip(0)"))->toPlainText(), QStringLiteral("和值输入要保持2位数，例如：00 05 08 16"));
    QCOMPARE(box(w.get(), QStringLiteral("T_cs_ip(3)"))->toPlainText(), QStringLiteral("大底号码，双击清空"));
    for (int i = 0; i < 3; ++i)
        QVERIFY(box(w.get(), QStringLiteral("T_jj(%1)").arg(i))->toPlainText().isEmpty());
    for (int i = 0; i < 6; ++i)
        QCOMPARE(control<QComboBox>(w.get(), QStringLiteral("Com_rc(%1)").arg(i))->currentText(), QStringLiteral("0"));
    QCOMPARE(control<QComboBox>(w.get(), QStringLiteral("Com_rc(5)"))->count(), 13); // items stay
    QCOMPARE(control<QLabel>(w.get(), QStringLiteral("Ljiaoji_zhushu"))->text(), QStringLiteral("0"));
    QCOMPARE(control<QLabel>(w.get(), QStringLiteral("dadi_zhushu"))->text(), QStringLiteral("0"));
    QVERIFY(resultLines(w.get()).isEmpty());
    QVERIFY(control<QLineEdit>(w.get(), QStringLiteral("T_duijiang"))->text().isEmpty());
    QCOMPARE(button(w.get(), QStringLiteral("C_guolv_ks(4)"))->backColor(), Colour::LightGreen);

    // Every condition is back at its start: a run keeps everything.
    QCOMPARE(pressAction(w.get(), 0), 10000);
}

void TestReset::eachClearButtonClearsOnlyItsGroup_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("cleared"); // name prefixes with the index range they cover
    auto range = [](const char *family, int first, int last) {
        QStringList names;
        for (int i = first; i <= last; ++i)
            names << QStringLiteral("%1(%2)").arg(QLatin1String(family)).arg(i);
        return names;
    };
    for (int p = 0; p < 4; ++p)
        QTest::addRow("positional row %d", p) << p << range("Check_hewei_sha1", 10 * p, 10 * p + 9);
    QTest::newRow("sum tails") << 4 << range("Check_hewei_sha", 0, 9);
    QTest::newRow("sum values") << 5 << QStringList{QStringLiteral("T_cs_ip(0)")};
    QTest::newRow("spans") << 6 << range("Check_kuadu_sha", 0, 9);
    QTest::newRow("kill-all") << 7 << range("Check_tsm_sha", 0, 9);
    QTest::newRow("AC") << 8 << range("Check_ac_sha", 0, 5);
    for (int r = 0; r < 4; ++r)
        QTest::addRow("dan row %d", r) << 9 + r << range("C_danzu", 10 * r, 10 * r + 9) + range("C_danzu_gs", 5 * r, 5 * r + 4);
    for (int q = 0; q < 3; ++q)
        QTest::addRow("ratio row %d", q) << 20 + q << range("C_bi", 5 * q, 5 * q + 4);
    QTest::newRow("shapes") << 23 << range("C_bi", 15, 20);
    QTest::newRow("base A") << 24 << QStringList{QStringLiteral("T_jj(0)")};
    QTest::newRow("big/small grid") << 25 << range("C_bi", 21, 36);
    QTest::newRow("base B") << 26 << QStringList{QStringLiteral("T_jj(1)")};
    QTest::newRow("odd/even grid") << 27 << range("C_bi", 37, 52);
    QTest::newRow("prime/composite grid") << 29 << range("C_bi", 53, 68);
    QTest::newRow("route grid") << 31 << range("C_bi", 69, 149);
    QTest::newRow("smallest and largest") << 32 << range("C_max", 0, 17);
}

void TestReset::eachClearButtonClearsOnlyItsGroup()
{
    QFETCH(int, index);
    QFETCH(QStringList, cleared);
    ModalRecorder modals;
    auto w = startedWindow();
    selectEverything(w.get());
    const QStringList before = stateOf(w.get());

    button(w.get(), QStringLiteral("C_cls(%1)").arg(index))->click();

    const QStringList after = stateOf(w.get());
    QCOMPARE(after.size(), before.size());
    for (int i = 0; i < before.size(); ++i) {
        const QString name = before[i].section(u'=', 0, 0);
        if (cleared.contains(name)) {
            QVERIFY2(after[i] != before[i], qPrintable(name));
            const QString value = after[i].section(u'=', 1);
            QVERIFY2(value.isEmpty() || value == QString::number(Colour::Grey) || value == u"0", qPrintable(after[i]));
        } else {
            QCOMPARE(after[i], before[i]);
        }
    }
    QVERIFY(button(w.get(), QStringLiteral("C_cls(%1)").arg(index))->isEnabled());
}

void TestReset::selectAllOfDanRowTwo()
{
    ModalRecorder modals;
    auto w = startedWindow();
    QVERIFY(!control<QCheckBox>(w.get(), QStringLiteral("Check_dm_jchong"))->isChecked());
    button(w.get(), QStringLiteral("C_cls(15)"))->click();
    for (int d = 0; d < 10; ++d)
        QCOMPARE(button(w.get(), QStringLiteral("C_danzu(%1)").arg(20 + d))->backColor(), Colour::Green);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(button(w.get(), QStringLiteral("C_danzu_gs(%1)").arg(10 + k))->backColor(), Colour::Green);
    QCOMPARE(button(w.get(), QStringLiteral("C_danzu(19)"))->backColor(), Colour::Grey);
    QCOMPARE(button(w.get(), QStringLiteral("C_danzu(30)"))->backColor(), Colour::Grey);
    QVERIFY(modals.messages.isEmpty());
}

void TestReset::conversionOfEverything()
{
    ModalRecorder modals;
    auto w = startedWindow();
    QCOMPARE(pressAction(w.get(), 2), 715);
    const QStringList lines = resultLines(w.get());
    QCOMPARE(lines.size(), 179);
    QCOMPARE(lines[0], QStringLiteral("0000 0001 0002 0003 "));
    QCOMPARE(lines[178], QStringLiteral("8899 8999 9999 "));
    QVERIFY(!control<QWidget>(w.get(), QStringLiteral("Frame_jindu"))->isVisible());
    QVERIFY(w->shrinkState().ResultText.endsWith(QStringLiteral("8999 9999")));
}

void TestReset::conversionOfABaseSet()
{
    ModalRecorder modals;
    auto w = startedWindow();
    box(w.get(), QStringLiteral("T_cs_ip(3)"))->setPlainText(QStringLiteral("1234\n4321\n2143"));
    QCOMPARE(pressAction(w.get(), 2), 1);
    QCOMPARE(w->shrinkState().ResultText, QStringLiteral("1234"));

    QLineEdit *entry = control<QLineEdit>(w.get(), QStringLiteral("T_duijiang"));
    QLabel *news = control<QLabel>(w.get(), QStringLiteral("L_duijiang_news"));
    entry->setText(QStringLiteral("4321"));
    QCOMPARE(news->text(), QStringLiteral("【挂挂挂挂】")); // compared against the groups
    entry->setText(QStringLiteral("1234"));
    QCOMPARE(news->text(), QStringLiteral("【中中中中】"));
}

void TestReset::setOperationsThroughThePanel()
{
    ModalRecorder modals;
    auto w = startedWindow();
    QPlainTextEdit *a = box(w.get(), QStringLiteral("T_jj(0)"));
    QPlainTextEdit *b = box(w.get(), QStringLiteral("T_jj(1)"));
    QPlainTextEdit *result = box(w.get(), QStringLiteral("T_jj(2)"));
    QLabel *count = control<QLabel>(w.get(), QStringLiteral("Ljiaoji_zhushu"));
    const struct
    {
        int action;
        const char16_t *result;
        const char16_t *count;
    } cases[] = {{6, u"5678", u"1"}, {7, u"1234 5678 9999", u"3"}, {8, u"1234", u"1"}, {9, u"9999", u"1"}};
    for (const auto &expected : cases) {
        a->setPlainText(QStringLiteral("1234 5678"));
        b->setPlainText(QStringLiteral("5678 9999"));
        button(w.get(), QStringLiteral("C_guolv_ks(%1)").arg(expected.action))->click();
        QCOMPARE(result->toPlainText(), QString::fromUtf16(expected.result));
        QCOMPARE(count->text(), QString::fromUtf16(expected.count));
    }

    a->setPlainText(QStringLiteral("5678,1234\n0042"));
    b->clear();
    button(w.get(), QStringLiteral("C_guolv_ks(7)"))->click();
    QCOMPARE(a->toPlainText(), QStringLiteral("5678 1234 0042"));
    QCOMPARE(result->toPlainText(), QStringLiteral("0042 1234 5678"));

    button(w.get(), QStringLiteral("C_cls(24)"))->click();
    QVERIFY(a->toPlainText().isEmpty());
    QCOMPARE(result->toPlainText(), QStringLiteral("0042 1234 5678"));
}

void TestReset::prizeCheckFollowsTheEntryAndRuns()
{
    ModalRecorder modals;
    auto w = startedWindow();
    box(w.get(), QStringLiteral("T_cs_ip(3)"))->setPlainText(QStringLiteral("0123 4567"));
    pressAction(w.get(), 0);
    QLineEdit *entry = control<QLineEdit>(w.get(), QStringLiteral("T_duijiang"));
    QLabel *news = control<QLabel>(w.get(), QStringLiteral("L_duijiang_news"));
    QTest::keyClicks(entry, QStringLiteral("456"));
    QCOMPARE(news->text(), QStringLiteral("【中奖查询】"));
    QTest::keyClicks(entry, QStringLiteral("7"));
    QCOMPARE(news->text(), QStringLiteral("【中中中中】"));
    QTest::keyClick(entry, Qt::Key_Backspace);
    QTest::keyClicks(entry, QStringLiteral("8"));
    QCOMPARE(news->text(), QStringLiteral("【挂挂挂挂】"));
    entry->setText(QStringLiteral("3 45")); // straddles 0123 and 4567
    QCOMPARE(news->text(), QStringLiteral("【挂挂挂挂】"));
    entry->setText(QStringLiteral("4567"));
    pressAction(w.get(), 0);
    QVERIFY(entry->text().isEmpty());
    QCOMPARE(news->text(), QStringLiteral("【中奖查询】"));
}

QTEST_MAIN(TestReset)
#include "tst_reset.moc"
