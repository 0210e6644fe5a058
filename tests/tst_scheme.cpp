// Condition schemes through the window: the tool strip, saving and loading
// through the file dialog seam, recent schemes, dropped files, the export of
// the result list, and vintora-shrink on the same schemes.
#include "sheet_driver.h"

#include "core/scheme.h"
#include "panel/regions.h"
#include "ui/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QUrl>

namespace {
// Picks members of every condition family as a player would; `seed` varies
// which. The total tolerance stays wide enough for numbers to survive.
void pickConditions(const SheetDriver &sheet, int seed)
{
    for (int i = 0; i <= 158; ++i) {
        if ((i + seed) % 7 == 0)
            sheet.click("C_bi", i);
    }
    for (int i = 0; i <= 17; ++i) {
        if ((i + seed) % 4 == 0)
            sheet.click("C_max", i);
    }
    for (int row = 0; row < 4; ++row) {
        for (int digit = 0; digit < 10; ++digit) {
            if ((digit + row + seed) % 3 == 0)
                sheet.click("C_danzu", 10 * row + digit);
        }
        // Every row has three digits or more, so one and two hits are allowed.
        sheet.click("C_danzu_gs", 5 * row + 1 + (row + seed) % 2);
    }
    const std::pair<const char *, int> checks[] = {
        {"Check_hewei_sha1", 40}, {"Check_hewei_sha", 10}, {"Check_kuadu_sha", 10}, {"Check_tsm_sha", 10}, {"Check_ac_sha", 6}};
    for (int f = 0; f < 5; ++f) {
        for (int i = 0; i < checks[f].second; ++i) {
            if ((i + seed + f) % 9 == 0)
                sheet.tick(arrayName(checks[f].first, i));
        }
    }
    sheet.tick(QStringLiteral("Check_dm_jchong"), seed % 2 == 1);
    sheet.type("T_ding", 0, QStringLiteral("1234 5678\n%1").arg(1000 + seed));
    sheet.type("T_ding", 1, QStringLiteral("12345 6789"));
    sheet.type("T_ding", 2, QStringLiteral("12 3%1").arg(seed % 10));
    sheet.type("T_ding", 4, QStringLiteral("789 \"引号\" & 0%1").arg(seed % 10));
    sheet.type("T_ding", 6, QStringLiteral("1*2*\n**%1*").arg(seed % 10));
    sheet.type("T_cs_ip", 0, QStringLiteral("05 16 3%1").arg(seed % 10));
    if (seed % 2 == 0) {
        QStringList base;
        for (int n = seed; n < 10000; n += 3)
            base << QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
        sheet.type("T_cs_ip", 3, base.join(u' '));
    }
    sheet.setTolerance(1, QStringLiteral("1"));
    sheet.setTolerance(3, QStringLiteral("2"));
    sheet.setTolerance(5, QStringLiteral("4"));
}

// The lines Li_out shows, each with its line break.
QByteArray listLines(const QWidget *w)
{
    QString lines;
    const QListWidget *list = control<QListWidget>(w, QStringLiteral("Li_out"));
    for (int row = 0; row < list->count(); ++row)
        lines += list->item(row)->text() + u'\n';
    return lines.toUtf8();
}

const QByteArray kHeader = R"("format": "vintora-scheme", "version": 1)";

// Thousands digits 0-8 struck in the positional kill: 9000-9999 survive.
const QByteArray kNinesScheme = "{" + kHeader + R"j(, "checked": ["Check_hewei_sha1(0)", "Check_hewei_sha1(1)",
    "Check_hewei_sha1(2)", "Check_hewei_sha1(3)", "Check_hewei_sha1(4)", "Check_hewei_sha1(5)",
    "Check_hewei_sha1(6)", "Check_hewei_sha1(7)", "Check_hewei_sha1(8)"]})j";

// A scheme with the header, indented with its keys sorted.
QByteArray indented(QJsonObject scheme)
{
    scheme.insert(QStringLiteral("format"), QStringLiteral("vintora-scheme"));
    scheme.insert(QStringLiteral("version"), 1);
    return QJsonDocument(scheme).toJson(QJsonDocument::Indented);
}

CommandRun shrinkCommand(const QStringList &arguments)
{
    return runCommand(QStringLiteral(VINTORA_SHRINK), arguments);
}
}

class TestScheme : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        useTestFolders();
        WindowSettings().remove(QStringLiteral("Schemes"));
        WindowSettings().remove(QStringLiteral("FileDialog"));
        QVERIFY(m_folder.isValid());
    }
    void init()
    {
        m_window = startedWindow();
        m_modals = std::make_unique<ModalRecorder>();
    }
    void cleanup()
    {
        m_modals.reset();
        m_window.reset();
    }

    void toolStripLiesUnderTheSheet();
    void roundTripAndCommandLine_data();
    void roundTripAndCommandLine();
    void savedSchemeListsOnlyChangesInAStableOrder();
    void readerFillsTheBoxesASchemeLeavesOut();
    void malformedSchemeIsRefusedByWindowAndCommandLine_data();
    void malformedSchemeIsRefusedByWindowAndCommandLine();
    void buttonsGoThroughTheFileDialog();
    void recentSchemesKeepTheLastEight();
    void droppedSchemeLoads();
    void exportWritesWhatTheListShows();
    void commandLineHelpAndVersion();

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }

    QTemporaryDir m_folder;
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;
};

void TestScheme::toolStripLiesUnderTheSheet()
{
    const QWidget *strip = m_window->toolStrip();
    QCOMPARE(strip->objectName(), QStringLiteral("ToolStrip"));
    QCOMPARE(strip->geometry(), QRect(0, px(Regions::ClientHeight), m_window->width(), strip->height()));
    QCOMPARE(m_window->height(), strip->geometry().bottom() + 1);
    QVERIFY(strip->isVisible());
    const std::tuple<const char *, const char *, const char *> buttons[] = {
        {"C_save_scheme", "保存方案", "Ctrl+S"}, {"C_load_scheme", "载入方案", "Ctrl+O"},
        {"C_recent_schemes", "最近方案", ""}, {"C_export_result", "导出结果", "Ctrl+E"}};
    int right = -1;
    for (const auto &[name, caption, shortcut] : buttons) {
        auto *b = control<QPushButton>(strip, QLatin1String(name));
        QVERIFY2(b, name);
        QCOMPARE(b->text(), QString::fromUtf8(caption));
        QCOMPARE(b->shortcut(), QKeySequence(QLatin1String(shortcut)));
        QVERIFY(strip->rect().contains(b->geometry()) && b->x() > right);
        right = b->geometry().right();
    }
    QVERIFY(control<QPushButton>(strip, QStringLiteral("C_recent_schemes"))->menu());
}

void TestScheme::roundTripAndCommandLine_data()
{
    QTest::addColumn<int>("seed");
    QTest::addColumn<bool>("noneSurvive");
    for (int seed : {0, 1, 2, 5})
        QTest::addRow("seed %d", seed) << seed << false;
    QTest::newRow("none survive") << 3 << true;
}

// Save, reset, load gives the same controls and the same run; vintora-shrink
// runs the saved scheme to what the window shows.
void TestScheme::roundTripAndCommandLine()
{
    QFETCH(int, seed);
    QFETCH(bool, noneSurvive);
    Fmain *w = m_window.get();
    const SheetDriver sheet(w);
    pressAction(w, 3);
    const QStringList cleared = sheet.state();
    pickConditions(sheet, seed);
    if (noneSurvive)
        sheet.setTolerance(4, QStringLiteral("13"));
    const QStringList picked = sheet.state();
    const int count = pressAction(w, 0);
    QVERIFY2(noneSurvive ? count == 0 : count > 0 && count < 10000, qPrintable(QString::number(count)));
    const QString result = w->shrinkState().ResultText;
    const QByteArray lines = listLines(w);

    const QString file = path(QStringLiteral("round%1.json").arg(seed));
    QVERIFY(w->save_scheme(file));
    const CommandRun plain = shrinkCommand({file});
    QCOMPARE(plain.exitCode, 0);
    QCOMPARE(plain.err, QByteArray());
    QCOMPARE(QString::fromUtf8(plain.out), result + u'\n');
    QCOMPARE(shrinkCommand({QStringLiteral("--count"), file}).out, QByteArray::number(count) + '\n');
    QCOMPARE(shrinkCommand({QStringLiteral("--lines"), file}).out, lines);

    pressAction(w, 3);
    // The reset keeps "胆码计重"; the picks below set it the other way round.
    sheet.tick(QStringLiteral("Check_dm_jchong"), false);
    QCOMPARE(sheet.state(), cleared);
    // Whatever the sheet holds before the load is gone after it, "胆码计重" too.
    pickConditions(sheet, seed + 3);
    QVERIFY(w->load_scheme(file));
    QCOMPARE(sheet.state(), picked);
    QVERIFY(m_modals->messages.isEmpty());
    QCOMPARE(pressAction(w, 0), count);
    QCOMPARE(w->shrinkState().ResultText, result);
}

void TestScheme::savedSchemeListsOnlyChangesInAStableOrder()
{
    Fmain *w = m_window.get();
    const SheetDriver sheet(w);
    // A fresh window lists nothing: its boxes show their hints, which the
    // start ends with a line break that the reset texts lack.
    QVERIFY(w->save_scheme(path(QStringLiteral("start.json"))));
    const QByteArray nothing = indented({{"checked", QJsonArray()}, {"selected", QJsonArray()},
                                         {"texts", QJsonObject()}, {"tolerances", QJsonObject()}});
    QCOMPARE(readBytes(path(QStringLiteral("start.json"))), nothing);

    // Keys sorted, one entry a line, names in sheet order whatever the order
    // of the clicks: two schemes compare with diff.
    const std::function<void()> steps[] = {
        [&] { sheet.click("C_max", 4); }, [&] { sheet.click("C_bi", 17); }, [&] { sheet.click("C_danzu", 3); },
        [&] { sheet.tick(QStringLiteral("Check_kuadu_sha(0)")); }, [&] { sheet.tick(QStringLiteral("Check_hewei_sha1(12)")); },
        [&] { sheet.type("T_ding", 3, QStringLiteral("45 67")); }, [&] { sheet.setTolerance(5, QStringLiteral("1")); }};
    for (bool reversed : {false, true}) {
        pressAction(w, 3);
        for (int i = 0; i < 7; ++i)
            steps[reversed ? 6 - i : i]();
        QVERIFY(w->save_scheme(path(QStringLiteral("some.json"))));
        QCOMPARE(readBytes(path(QStringLiteral("some.json"))), indented({
            {"checked", QJsonArray{"Check_hewei_sha1(12)", "Check_kuadu_sha(0)"}},
            {"selected", QJsonArray{"C_danzu(3)", "C_bi(17)", "C_max(4)"}},
            {"texts", QJsonObject{{"T_ding(3)", "45 67"}}}, {"tolerances", QJsonObject{{"Com_rc(5)", "1"}}}}));
    }
    // Nor does the reset sheet, or a box given back its hint by hand.
    pressAction(w, 3);
    const QStringList cleared = sheet.state();
    sheet.type("T_ding", 5, QStringLiteral("  \n双击清空\n\n"));
    QVERIFY(w->save_scheme(path(QStringLiteral("empty.json"))));
    QCOMPARE(readBytes(path(QStringLiteral("empty.json"))), nothing);
    // Loading leaves such boxes at their reset texts, whatever the scheme holds.
    sheet.type("T_ding", 5, QStringLiteral("123"));
    QVERIFY(writeBytes(path(QStringLiteral("hint.json")),
                       indented({{"texts", QJsonObject{{"T_cs_ip(0)", "和值输入要保持2位数，例如：00 05 08 16\n"}}}})));
    QVERIFY(w->load_scheme(path(QStringLiteral("hint.json"))));
    QCOMPARE(sheet.state(), cleared);
}

// vintora-shrink has no window to reset: the reader itself must give every
// box a scheme leaves out its reset text.
void TestScheme::readerFillsTheBoxesASchemeLeavesOut()
{
    const SchemeReading bare = read_scheme("{" + kHeader + "}");
    QVERIFY(bare.record);
    QCOMPARE(bare.record->texts.size(), 9);
    QCOMPARE(bare.record->texts.value(QStringLiteral("T_cs_ip(3)")), QStringLiteral("大底号码，双击清空"));
    QCOMPARE(bare.record->texts.value(QStringLiteral("T_ding(6)")), QStringLiteral("\n双击清空"));
    QCOMPARE(bare.record->tolerances.size(), 6);
    QCOMPARE(bare.record->tolerances.value(QStringLiteral("Com_rc(5)")), QStringLiteral("0"));
}

void TestScheme::malformedSchemeIsRefusedByWindowAndCommandLine_data()
{
    QTest::addColumn<QByteArray>("bytes");   // null: no file at all
    QTest::addColumn<QString>("named");      // what the message must name
    auto row = [](const char *name, const QByteArray &bytes, const char *named) {
        QTest::newRow(name) << bytes << QString::fromUtf8(named);
    };
    row("not JSON", R"({"format": "vintora-scheme" "version": 1})", "第 29 个字节");
    row("not an object", R"(["vintora-scheme"])", "JSON 对象");
    row("empty", "", "空");
    row("missing", QByteArray(), "不存在");
    row("wrong format", R"({"format": "vintora", "version": 1})", "format");
    row("version 2", R"({"format": "vintora-scheme", "version": 2})", "版本 2");
    row("version 0", R"({"format": "vintora-scheme", "version": 0})", "version");
    row("version 0.5", R"({"format": "vintora-scheme", "version": 0.5})", "version");
    row("version as text", R"({"format": "vintora-scheme", "version": "1"})", "version");
    row("unknown name", "{" + kHeader + R"j(, "selected": ["C_bi(17)", "C_bi(159)"]})j", "C_bi(159)");
    row("unknown text box", "{" + kHeader + R"j(, "texts": {"T_jj(0)": "1234"}})j", "T_jj(0)");
    row("wrong list", "{" + kHeader + R"j(, "selected": ["Check_ac_sha(1)"]})j", "Check_ac_sha(1)");
    row("number as text", "{" + kHeader + R"j(, "tolerances": {"Com_rc(5)": 3}})j", "Com_rc(5)");
    row("list as text", "{" + kHeader + R"j(, "checked": "Check_ac_sha(1)"})j", "checked");
    row("unknown key", "{" + kHeader + R"j(, "text": {}})j", "text");
    row("not UTF-8", "{" + kHeader + ", \"texts\": {\"T_ding(1)\": \"\xC0\xAF\"}}", "UTF-8");
}

// Nothing on the sheet changes; the window and vintora-shrink say the same
// one line, naming the file and what is wrong.
void TestScheme::malformedSchemeIsRefusedByWindowAndCommandLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, named);
    pickConditions(SheetDriver(m_window.get()), 4);
    const QStringList before = SheetDriver(m_window.get()).state();
    const QString file = path(QStringLiteral("坏方案.json"));
    QFile::remove(file);
    if (!bytes.isNull())
        QVERIFY(writeBytes(file, bytes));

    QVERIFY(!m_window->load_scheme(file));
    QCOMPARE(SheetDriver(m_window.get()).state(), before);
    QCOMPARE(m_modals->messages.size(), 1);
    const ModalMessage &message = m_modals->messages.constFirst();
    QCOMPARE(message.title, QStringLiteral("错误提示"));
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(file)) && message.text.contains(named)
                 && !message.text.contains(u'\n'),
             qPrintable(message.text));

    const CommandRun run = shrinkCommand({file});
    QCOMPARE(run.exitCode, 2);
    QCOMPARE(run.out, QByteArray());
    QCOMPARE(QString::fromUtf8(run.err), message.text + u'\n');
}

void TestScheme::buttonsGoThroughTheFileDialog()
{
    FileDialogRecorder dialogs;
    const QString saved = path(QStringLiteral("dialog.json"));
    // From the reset sheet: the boxes left untouched come back with their reset texts.
    pressAction(m_window.get(), 3);
    pickConditions(SheetDriver(m_window.get()), 2);
    const QStringList picked = SheetDriver(m_window.get()).state();
    auto press = [this](const char *name) { control<QPushButton>(m_window.get(), QLatin1String(name))->click(); };

    // Cancelled: nothing is written and nothing is said.
    press("C_save_scheme");
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    QVERIFY(dialogs.asked[0].startPath.endsWith(QStringLiteral("/缩水方案.json")));
    QVERIFY(!QFile::exists(saved));
    dialogs.answers = {saved};
    press("C_save_scheme");
    QVERIFY(QFile::exists(saved));

    // A second window, as after a restart, starts in the folder just used and
    // loads the scheme the dialog saved.
    m_window.reset();
    m_window = startedWindow();
    dialogs.answers = {saved};
    press("C_load_scheme");
    QCOMPARE(dialogs.asked.size(), 3);
    QCOMPARE(dialogs.asked[2].request.kind, FileRequest::Open);
    QCOMPARE(dialogs.asked[2].startPath, m_folder.path());
    QCOMPARE(SheetDriver(m_window.get()).state(), picked);
    QVERIFY(m_modals->messages.isEmpty());
}

void TestScheme::recentSchemesKeepTheLastEight()
{
    WindowSettings().remove(QStringLiteral("Schemes"));
    QMenu *menu = control<QPushButton>(m_window.get(), QStringLiteral("C_recent_schemes"))->menu();
    auto shown = [menu] {
        emit menu->aboutToShow();
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << (action->isEnabled() ? action->text() : QStringLiteral("(off)"));
        return texts;
    };
    QCOMPARE(shown().size(), 1);
    QCOMPARE(shown()[0], QStringLiteral("(off)"));

    for (int i = 0; i < 10; ++i) {
        SheetDriver(m_window.get()).setTolerance(5, QString::number(i));
        QVERIFY(m_window->save_scheme(path(QStringLiteral("r%1&.json").arg(i))));
    }
    // Loading an older one brings it to the top without a second entry.
    QVERIFY(m_window->load_scheme(path(QStringLiteral("r5&.json"))));
    const auto entry = [this](int i) { return QDir::toNativeSeparators(path(QStringLiteral("r%1&&.json").arg(i))); };
    QCOMPARE(shown(), (QStringList{entry(5), entry(9), entry(8), entry(7), entry(6), entry(4), entry(3), entry(2)}));
    menu->actions()[3]->trigger();
    QCOMPARE(control<QComboBox>(m_window.get(), QStringLiteral("Com_rc(5)"))->currentText(), QStringLiteral("7"));
    QCOMPARE(shown(), (QStringList{entry(7), entry(5), entry(9), entry(8), entry(6), entry(4), entry(3), entry(2)}));

    // The title names the scheme last loaded or saved after the feed's title.
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Vintora - r7&.json"));
    m_window->setWindowTitle(QStringLiteral("四星缩水"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("四星缩水 - r7&.json"));
    QVERIFY(m_window->save_scheme(path(QStringLiteral("新方案.json"))));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("四星缩水 - 新方案.json"));
}

void TestScheme::droppedSchemeLoads()
{
    Fmain *w = m_window.get();
    const QString file = path(QStringLiteral("dropped.json"));
    QVERIFY(writeBytes(file, kNinesScheme));
    auto drop = [](QWidget *target, const QString &dropped) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped)});
        mime.setText(QUrl::fromLocalFile(dropped).toString());
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(target, &enter);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        QCoreApplication::sendEvent(target, &event);
        return enter.isAccepted() && event.isAccepted();
    };
    QCheckBox *struck = control<QCheckBox>(w, QStringLiteral("Check_hewei_sha1(8)"));
    QVERIFY(drop(w, file));
    QTRY_VERIFY(struck->isChecked());

    // A text box takes the file as a scheme too, not as text.
    pressAction(w, 3);
    QPlainTextEdit *base = control<QPlainTextEdit>(w, QStringLiteral("T_cs_ip(3)"));
    const QString hint = base->toPlainText();
    QVERIFY(drop(base->viewport(), file));
    QTRY_VERIFY(struck->isChecked());
    QCOMPARE(base->toPlainText(), hint);

    // A dropped file that is no scheme says so and changes nothing.
    const QString other = path(QStringLiteral("notes.txt"));
    QVERIFY(writeBytes(other, "1234 5678"));
    const QStringList before = SheetDriver(w).state();
    QVERIFY(drop(w, other));
    QTRY_COMPARE(m_modals->messages.size(), 1);
    QVERIFY(m_modals->messages[0].text.contains(QStringLiteral("notes.txt")));
    QCOMPARE(SheetDriver(w).state(), before);
}

void TestScheme::exportWritesWhatTheListShows()
{
    Fmain *w = m_window.get();
    FileDialogRecorder dialogs;
    QPushButton *exportButton = control<QPushButton>(w, QStringLiteral("C_export_result"));
    // Nothing listed: a message, and no dialog.
    exportButton->click();
    QCOMPARE(dialogs.asked.size(), 0);
    QCOMPARE(m_modals->messages.size(), 1);
    QVERIFY(m_modals->messages[0].text.contains(QStringLiteral("没有可导出的号码")));

    QVERIFY(writeBytes(path(QStringLiteral("nines.json")), kNinesScheme));
    QVERIFY(w->load_scheme(path(QStringLiteral("nines.json"))));
    auto exported = [&](const QString &name) {
        dialogs.answers = {path(name)};
        exportButton->click();
        return readBytes(path(name));
    };
    auto numbers = [](bool nines) {
        QByteArray lines;
        for (int n = 0; n < 10000; ++n) {
            if ((n >= 9000) == nines)
                lines += QByteArray::number(n).rightJustified(4, '0') + '\n';
        }
        return lines;
    };
    QCOMPARE(pressAction(w, 0), 1000);
    QCOMPARE(exported(QStringLiteral("survivors.txt")), numbers(true));
    QVERIFY2(QRegularExpression(QStringLiteral(R"(^缩水结果-20\d{6}-\d{4}\.txt$)"))
                 .match(dialogs.asked[0].request.suggestedName).hasMatch(),
             qPrintable(dialogs.asked[0].request.suggestedName));
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    pressAction(w, 4);  // 反选
    QCOMPARE(exported(QStringLiteral("eliminated.txt")), numbers(false));
    pressAction(w, 2);  // 转为组选
    QByteArray groups;
    for (const QByteArray &group : listLines(w).simplified().split(' '))
        groups += group + '\n';
    // Groups with a 9: all 715 of four digits less the 495 without one.
    QCOMPARE(groups.count('\n'), 220);
    QCOMPARE(exported(QStringLiteral("groups.txt")), groups);

    // A file that cannot be written says so, and so does a scheme.
    m_modals->messages.clear();   // 反选 said its own
    const QString unwritable = path(QStringLiteral("no-such-folder/result.txt"));
    dialogs.answers = {unwritable};
    exportButton->click();
    QVERIFY(!w->save_scheme(path(QStringLiteral("no-such-folder/scheme.json"))));
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[0].title, QStringLiteral("错误提示"));
    QVERIFY(m_modals->messages[0].text.contains(QStringLiteral("无法写入"))
            && m_modals->messages[0].text.contains(QDir::toNativeSeparators(unwritable)));
    QVERIFY(m_modals->messages[1].text.contains(QStringLiteral("无法写入方案文件")));
}

void TestScheme::commandLineHelpAndVersion()
{
    const CommandRun version = shrinkCommand({QStringLiteral("--version")});
    QVERIFY2(version.exitCode == 0 && version.out.contains(VINTORA_VERSION), version.out.constData());
    const CommandRun help = shrinkCommand({QStringLiteral("--help")});
    QVERIFY(help.exitCode == 0 && help.out.contains("--count") && help.out.contains("--lines"));
    // Without a scheme, whatever the way of output: one line that says so.
    for (const QStringList &arguments : {QStringList(), QStringList{QStringLiteral("--count")}}) {
        const CommandRun bare = shrinkCommand(arguments);
        QCOMPARE(bare.exitCode, 2);
        QCOMPARE(bare.out, QByteArray());
        QVERIFY2(bare.err.contains("方案") && bare.err.indexOf('\n') == bare.err.size() - 1, bare.err.constData());
    }
}

QTEST_MAIN(TestScheme)
#include "tst_scheme.moc"
