// Bets as the player records them from the tool strip, checked by draws typed
// in the history window and by draws from a feed server, kept in the
// "投注记录" tab and printed by `vintora-shrink --bets`.
#include "httpfixture.h"
#include "testsupport.h"

#include "net/draws_update.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>

namespace {
// The issues of a text in this year's run, where the issue box proposes the
// next one.
QString thisYears(QString text)
{
    return text.replace(QStringLiteral("2026"), QString::number(QDate::currentDate().year()));
}
}

class TestBetsWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void recordCheckAndKeep();
};

void TestBetsWindow::recordCheckAndKeep()
{
    ModalRecorder modals;
    const std::unique_ptr<Fmain> window = startedWindow();
    Fmain *w = window.get();
    auto *issue = control<QLineEdit>(w, QStringLiteral("T_bet_issue"));
    auto *record = control<QPushButton>(w, QStringLiteral("C_record_bet"));
    auto *said = control<QLabel>(w, QStringLiteral("L_bet_result"));
    QVERIFY(issue && record && said);

    control<QPushButton>(w, QStringLiteral("C_history"))->click();
    QWidget *history = w->findChild<QWidget *>(QStringLiteral("HistoryWindow"));
    QVERIFY(history);
    auto storeDraws = [&](const QString &text) {
        control<QPlainTextEdit>(history, QStringLiteral("T_history"))->setPlainText(text);
        control<QPushButton>(history, QStringLiteral("C_history_add"))->click();
    };
    storeDraws(thisYears(QStringLiteral("2026044 1111\n2026045 2222\n")));
    QCOMPARE(issue->text(), thisYears(QStringLiteral("2026046")));

    // Nothing listed yet: nothing to record.
    record->click();
    QCOMPARE(modals.messages.size(), 1);
    QVERIFY(modals.messages.takeLast().text.contains(QStringLiteral("没有号码")));

    // 9000-9999 as straight numbers, then as their 220 groups: two bets.
    for (int digit = 0; digit < 9; ++digit)
        control<QCheckBox>(w, QStringLiteral("Check_hewei_sha1(%1)").arg(digit))->setChecked(true);
    QCOMPARE(pressAction(w, 0), 1000);
    record->click();
    QCOMPARE(said->text(), thisYears(QStringLiteral("已记入 2026046 期直选投注：1000 注，2000 元")));
    record->click();
    QCOMPARE(modals.messages.size(), 1);
    QVERIFY(modals.messages.takeLast().text.contains(QStringLiteral("已经记入过同样的直选号码")));
    QCOMPARE(pressAction(w, 2), 220);
    record->click();
    QCOMPARE(said->text(), thisYears(QStringLiteral("已记入 2026046 期组选投注：220 注，440 元")));

    // An issue already drawn is refused, and the box proposes the next again.
    issue->setText(thisYears(QStringLiteral("2026045")));
    record->click();
    QCOMPARE(modals.messages.size(), 1);
    QVERIFY(modals.messages.takeLast().text.contains(QStringLiteral("已经开奖")));
    QCOMPARE(issue->text(), thisYears(QStringLiteral("2026046")));

    // The player types the draw: 9990 is one of the straight numbers and of group 0999.
    storeDraws(thisYears(QStringLiteral("2026046 9990\n")));
    QCOMPARE(said->text(), thisYears(QStringLiteral("2026046 期投注：中直选；2026046 期投注：中组选")));
    QCOMPARE(issue->text(), thisYears(QStringLiteral("2026047")));

    // A feed server draws 0123 for the next bet.
    pressAction(w, 0);
    record->click();
    HttpFixture server;
    server.script("/m/4x/draws.txt", {{200, thisYears(QStringLiteral("2026047 0123\n")).toUtf8()}});
    DrawsUpdate &update = w->drawsUpdate();
    update.setBaseAddresses(server.base(QStringLiteral("/m/4x/")), HttpFixture::closedBase(QStringLiteral("/4x/")));
    QSignalSpy finished(&update, &DrawsUpdate::finished);
    update.start();
    QVERIFY(finished.wait(60000));
    QTRY_COMPARE(said->text(), thisYears(QStringLiteral("2026047 期投注：未中奖（开奖号 0123）")));

    // The record: three bets, two won; with the prizes set, the money beside chance.
    auto *table = control<QTableWidget>(history, QStringLiteral("bets_table"));
    auto *totals = control<QLabel>(history, QStringLiteral("L_bet_totals"));
    auto *chance = control<QLabel>(history, QStringLiteral("L_bet_chance"));
    QTRY_COMPARE(table->rowCount(), 3);
    QVERIFY2(totals->text().contains(QStringLiteral("中奖 2 次；奖金未设")), qPrintable(totals->text()));
    control<QLineEdit>(history, QStringLiteral("T_prize_straight"))->setText(QStringLiteral("10000"));
    control<QLineEdit>(history, QStringLiteral("T_prize_group"))->setText(QStringLiteral("400"));
    // Cost 2000 + 440 + 2000; prizes 10000 + 400.
    QVERIFY2(totals->text().contains(QStringLiteral("花费 4440 元")) && totals->text().contains(QStringLiteral("奖金 10400 元"))
                 && totals->text().contains(QStringLiteral("234.2%")),
             qPrintable(totals->text()));
    // By chance: 1000 + 3439 numbers holding a 9 (10,000 - 9^4) + 1000 over 10,000
    // wins, and 1000 + 3439 * 400 / 10,000 + 1000 元.
    QVERIFY2(chance->text().contains(QStringLiteral("平均中奖 0.54 次")) && chance->text().contains(QStringLiteral("平均奖金 2137.56 元")),
             qPrintable(chance->text()));

    // Exported with the drawn number's leading zero.
    const QString csv = QDir(QStandardPaths::writableLocation(QStandardPaths::TempLocation)).filePath(QStringLiteral("bets.csv"));
    {
        FileDialogRecorder dialogs({csv});
        control<QPushButton>(history, QStringLiteral("C_bet_export"))->click();
    }
    const QString exported = QString::fromUtf8(readBytes(csv));
    QVERIFY2(exported.contains(thisYears(QStringLiteral("2026047,直选,1000,2000,0123,未中奖,0"))), qPrintable(exported));

    // The command line reads the same record.
    qputenv("XDG_DATA_HOME", QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
    const CommandRun cli = runCommand(QStringLiteral(VINTORA_SHRINK), {QStringLiteral("--bets")});
    QCOMPARE(cli.exitCode, 0);
    QCOMPARE(QString::fromUtf8(cli.out), thisYears(QStringLiteral("2026046\t1000\t2000\t9990\twon\n"
                                                        "2026046\t220\t440\t9990\twon\n"
                                                        "2026047\t1000\t2000\t0123\tlost\n"
                                                        "expected by chance\t0.54\n")));

    // A row goes only when the player says yes.
    table->selectRow(0);
    modals.answer = false;
    control<QPushButton>(history, QStringLiteral("C_bet_delete"))->click();
    QCOMPARE(table->rowCount(), 3);
    modals.answer = true;
    control<QPushButton>(history, QStringLiteral("C_bet_delete"))->click();
    QCOMPARE(modals.messages.size(), 2);
    QCOMPARE(table->rowCount(), 2);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("组选"));
}

QTEST_MAIN(TestBetsWindow)
#include "tst_bets_window.moc"
