// Why the last run left a number out, told in the tool strip and checked
// against a reference worked out here; and the notice that the sheet changed
// since the last run.
#include "reference_rules.h"
#include "sheet_driver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
const QString kStale = QStringLiteral("条件已改变，按[开始缩水]更新");
const QString kBase = QStringLiteral("0120 1002 0003 5555 1111 2233");
const QStringList kBaseNumbers = kBase.split(u' ');

// The sheet of these tests: thousands digit 1 struck (positional kill) and
// sum tail 3 struck (sum group), with the base set above.
struct Reference
{
    QStringList families;
    bool inBase;
};

Reference referenceFor(int n)
{
    Reference r;
    if (digitsOf(n)[0] == 1)
        r.families.append(QStringLiteral("定位杀"));
    if (sumOf(digitsOf(n)) % 10 == 3)
        r.families.append(QStringLiteral("和跨胆"));
    r.inBase = kBaseNumbers.contains(QStringLiteral("%1").arg(n, 4, 10, QChar(u'0')));
    return r;
}
}

class TstWhyKilled : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init();
    void cleanup() { m_window.reset(); }

    void linesNameTheFamiliesAndWhatExcluded();
    void everyNumberAgreesWithTheReference();
    void thePrizeCaptionStaysItsOwnAlsoAfterGroups();
    void aChangedSheetSaysSoUntilTheNextRun();
    void eachFamilyShowsWhatItMarksOnItsOwn();

private:
    QWidget *w() const { return m_window.get(); }
    QLineEdit *entry() const { return control<QLineEdit>(w(), QStringLiteral("T_duijiang")); }
    QLabel *why() const { return control<QLabel>(w(), QStringLiteral("L_why_killed")); }
    QLabel *stale() const { return control<QLabel>(w(), QStringLiteral("L_stale")); }
    QString lineFor(const QString &typed)
    {
        entry()->setText(typed);
        return why()->text();
    }

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

void TstWhyKilled::init()
{
    m_window = startedWindow();
    const SheetDriver sheet(m_window.get());
    sheet.tick(QStringLiteral("Check_hewei_sha1(1)"));
    sheet.tick(QStringLiteral("Check_hewei_sha(3)"));
    sheet.type(QStringLiteral("T_cs_ip(3)"), kBase);
}

void TstWhyKilled::linesNameTheFamiliesAndWhatExcluded()
{
    QCOMPARE(lineFor(QStringLiteral("1002")), QString());     // no run yet
    QCOMPARE(pressAction(w(), 0), 2);                           // 5555 and 2233
    QCOMPARE(lineFor(QStringLiteral("1002")), QStringLiteral("1002 被淘汰：定位杀、和跨胆标记（共2项）；总容错0至0排除"));
    QCOMPARE(lineFor(QStringLiteral(" 0120 ")), QStringLiteral("0120 被淘汰：和跨胆标记（共1项）；总容错0至0排除"));
    QCOMPARE(lineFor(QStringLiteral("0004")), QStringLiteral("0004 被淘汰：无条件标记；不在大底中"));
    QCOMPARE(lineFor(QStringLiteral("1112")), QStringLiteral("1112 被淘汰：定位杀标记（共1项）；总容错0至0排除，不在大底中"));
    QCOMPARE(lineFor(QStringLiteral("5555")), QString());     // kept
    QCOMPARE(lineFor(QStringLiteral("111")), QString());
    QCOMPARE(lineFor(QStringLiteral("1a11")), QString());

    SheetDriver(m_window.get()).setTolerance(5, QStringLiteral("1"));
    QCOMPARE(pressAction(w(), 0), 5);                           // all but 1002
    QCOMPARE(lineFor(QStringLiteral("0120")), QString());
    QCOMPARE(lineFor(QStringLiteral("1002")), QStringLiteral("1002 被淘汰：定位杀、和跨胆标记（共2项）；总容错0至1排除"));
    QCOMPARE(lineFor(QStringLiteral("1112")), QStringLiteral("1112 被淘汰：定位杀标记（共1项）；不在大底中"));
}

void TstWhyKilled::everyNumberAgreesWithTheReference()
{
    pressAction(w(), 0);
    for (int n = 0; n < 10000; n += 7) {
        const Reference r = referenceFor(n);
        const bool kept = r.inBase && r.families.isEmpty();
        const QString typed = QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
        const QString line = lineFor(typed);
        QCOMPARE(line.isEmpty(), kept);
        if (kept)
            continue;
        QVERIFY2(line.startsWith(typed + QStringLiteral(" 被淘汰：")), qPrintable(line));
        const QString marked = r.families.isEmpty()
            ? QStringLiteral("无条件标记")
            : QStringLiteral("%1标记（共%2项）").arg(r.families.join(u'、')).arg(r.families.size());
        QVERIFY2(line.contains(marked), qPrintable(line));
        QCOMPARE(line.contains(QStringLiteral("总容错0至0排除")), !r.families.isEmpty());
        QCOMPARE(line.contains(QStringLiteral("不在大底中")), !r.inBase);
    }
}

void TstWhyKilled::thePrizeCaptionStaysItsOwnAlsoAfterGroups()
{
    QLabel *news = control<QLabel>(w(), QStringLiteral("L_duijiang_news"));
    pressAction(w(), 0);
    entry()->setText(QStringLiteral("1002"));
    QCOMPARE(news->text(), QStringLiteral("【挂挂挂挂】"));
    QVERIFY(!why()->text().isEmpty());
    entry()->setText(QStringLiteral("5555"));
    QCOMPARE(news->text(), QStringLiteral("【中中中中】"));

    pressAction(w(), 2);                                        // 转为组选
    QCOMPARE(news->text(), QStringLiteral("【中奖查询】"));
    QCOMPARE(why()->text(), QString());
    entry()->setText(QStringLiteral("2330"));
    QCOMPARE(news->text(), QStringLiteral("【挂挂挂挂】"));
    QCOMPARE(why()->text(), QStringLiteral("2330 被淘汰：无条件标记；不在大底中"));
    entry()->setText(QStringLiteral("5555"));
    QCOMPARE(news->text(), QStringLiteral("【中中中中】"));
    QCOMPARE(why()->text(), QString());
}

void TstWhyKilled::aChangedSheetSaysSoUntilTheNextRun()
{
    QCoreApplication::processEvents();
    QCOMPARE(stale()->text(), QString());                      // no list yet
    pressAction(w(), 0);
    QCOMPARE(stale()->text(), QString());

    auto *tail = control<QCheckBox>(w(), QStringLiteral("Check_hewei_sha(5)"));
    tail->click();
    QTRY_COMPARE(stale()->text(), kStale);
    tail->click();
    QTRY_COMPARE(stale()->text(), QString());                  // the sheet of the run again

    // Typing shows it at once, before the box is left.
    auto *sums = control<QPlainTextEdit>(w(), QStringLiteral("T_cs_ip(0)"));
    sums->setFocus();
    QTest::keyClicks(sums, QStringLiteral("12"));
    QTRY_COMPARE(stale()->text(), kStale);
    QVERIFY(sums->hasFocus());
    QTest::keyClick(w(), Qt::Key_F5);
    QCOMPARE(stale()->text(), QString());
}

void TstWhyKilled::eachFamilyShowsWhatItMarksOnItsOwn()
{
    // Span 0 joins the sum tail in the sum group's one row.
    SheetDriver(m_window.get()).tick(QStringLiteral("Check_kuadu_sha(0)"));
    int thousandsOne = 0, sumGroup = 0;
    for (int n = 0; n < 10000; ++n) {
        const Digits d = digitsOf(n);
        thousandsOne += d[0] == 1 ? 1 : 0;
        sumGroup += sumOf(d) % 10 == 3 || spanOf(d) == 0 ? 1 : 0;
    }
    auto *counts = control<QLabel>(w(), QStringLiteral("L_family_counts"));
    QTRY_COMPARE(counts->text(), QStringLiteral("定位杀 %1 · 和跨胆 %2").arg(thousandsOne).arg(sumGroup));
    QCOMPARE(counts->toolTip(), QStringLiteral("定位杀：单独标记 %1 注\n和跨胆：单独标记 %2 注").arg(thousandsOne).arg(sumGroup));

    SheetDriver(m_window.get()).tick(QStringLiteral("Check_hewei_sha1(1)"), false);
    QTRY_COMPARE(counts->text(), QStringLiteral("和跨胆 %1").arg(sumGroup));
    button(w(), QStringLiteral("C_guolv_ks(3)"))->click();
    QTRY_COMPARE(counts->text(), QString());
}

QTEST_MAIN(TstWhyKilled)
#include "tst_why_killed.moc"
