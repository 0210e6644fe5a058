// Condition schemes through the window: the tool strip, saving and loading
// through the file dialog seam, recent schemes, dropped files, the export of
// the result list, and vintora-shrink on the same schemes.
#include "testsupport.h"

#include "core/scheme.h"
#include "panel/regions.h"
#include "ui/file_dialog.h"
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
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

namespace {
// Answers every file dialog with the next prepared path and records what
// each asked, for as long as it lives.
class FileDialogRecorder
{
public:
    struct Asked
    {
        FileRequest request;
        QString startPath;
    };

    FileDialogRecorder()
    {
        set_file_dialog_capture([this](const FileRequest &request, const QString &start) {
            asked.append({request, start});
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
    }
    ~FileDialogRecorder() { set_file_dialog_capture({}); }

    QStringList answers;
    QList<Asked> asked;
};

const QRegularExpression kConditionControl(
    QStringLiteral(R"(^(C_bi|C_max|C_danzu|C_danzu_gs|Check_\w+|T_ding|T_cs_ip|Com_rc)(\(\d+\))?$)"));

// Every condition control's state as the player sees it: each colour, tick,
// text and tolerance, found by name.
QStringList sheetState(const QWidget *w)
{
    QStringList state;
    for (QWidget *child : w->findChildren<QWidget *>()) {
        const QString name = child->objectName();
        if (!kConditionControl.match(name).hasMatch())
            continue;
        QString value;
        if (auto *b = qobject_cast<ColorButton *>(child))
            value = QString::number(b->backColor());
        else if (auto *c = qobject_cast<QCheckBox *>(child))
            value = QString::number(c->checkState());
        else if (auto *t = qobject_cast<QPlainTextEdit *>(child))
            value = t->toPlainText();
        else if (auto *r = qobject_cast<QComboBox *>(child))
            value = r->currentText();
        else
            continue;
        state << name + u'=' + value;
    }
    state.sort();
    return state;
}

void click(const QWidget *w, const char *family, int index)
{
    button(w, arrayName(family, index))->click();
}

void tick(const QWidget *w, const QString &name, bool on = true)
{
    control<QCheckBox>(w, name)->setChecked(on);
}

void type(const QWidget *w, const char *family, int index, const QString &text)
{
    control<QPlainTextEdit>(w, arrayName(family, index))->setPlainText(text);
}

void setTolerance(const QWidget *w, int index, const QString &text)
{
    control<QComboBox>(w, arrayName("Com_rc", index))->setEditText(text);
}

// Picks members of every condition family as a player would; `seed` varies
// which. The total tolerance stays wide enough for numbers to survive.
void pickConditions(const QWidget *w, int seed)
{
    for (int i = 0; i <= 158; ++i) {
        if ((i + seed) % 7 == 0)
            click(w, "C_bi", i);
    }
    for (int i = 0; i <= 17; ++i) {
        if ((i + seed) % 4 == 0)
            click(w, "C_max", i);
    }
    for (int row = 0; row < 4; ++row) {
        for (int digit = 0; digit < 10; ++digit) {
            if ((digit + row + seed) % 3 == 0)
                click(w, "C_danzu", 10 * row + digit);
        }
        // Every row has three digits or more, so one and two hits are allowed.
        click(w, "C_danzu_gs", 5 * row + 1 + (row + seed) % 2);
    }
    const char *checkFamilies[] = {"Check_hewei_sha1", "Check_hewei_sha", "Check_kuadu_sha", "Check_tsm_sha",
                                   "Check_ac_sha"};
    const int checkCounts[] = {40, 10, 10, 10, 6};
    for (int f = 0; f < 5; ++f) {
        for (int i = 0; i < checkCounts[f]; ++i) {
            if ((i + seed + f) % 9 == 0)
                tick(w, arrayName(checkFamilies[f], i));
        }
    }
    tick(w, QStringLiteral("Check_dm_jchong"), seed % 2 == 1);
    type(w, "T_ding", 0, QStringLiteral("1234 5678\n%1").arg(1000 + seed));
    type(w, "T_ding", 1, QStringLiteral("12345 6789"));
    type(w, "T_ding", 2, QStringLiteral("12 3%1").arg(seed % 10));
    type(w, "T_ding", 4, QStringLiteral("789 \"引号\" & 0%1").arg(seed % 10));
    type(w, "T_ding", 6, QStringLiteral("1*2*\n**%1*").arg(seed % 10));
    type(w, "T_cs_ip", 0, QStringLiteral("05 16 3%1").arg(seed % 10));
    if (seed % 2 == 0) {
        QStringList base;
        for (int n = seed; n < 10000; n += 3)
            base << QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
        type(w, "T_cs_ip", 3, base.join(u' '));
    }
    setTolerance(w, 1, QStringLiteral("1"));
    setTolerance(w, 3, QStringLiteral("2"));
    setTolerance(w, 5, QStringLiteral("4"));
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList listShown(const QWidget *w)
{
    QStringList numbers;
    const QListWidget *list = control<QListWidget>(w, QStringLiteral("Li_out"));
    for (int row = 0; row < list->count(); ++row)
        numbers += list->item(row)->text().split(u' ', Qt::SkipEmptyParts);
    return numbers;
}

QStringList numbersWhere(const std::function<bool(int)> &keep)
{
    QStringList numbers;
    for (int n = 0; n < 10000; ++n) {
        if (keep(n))
            numbers << QStringLiteral("%1").arg(n, 4, 10, QChar(u'0'));
    }
    return numbers;
}

const QByteArray kHeader = R"("format": "vintora-scheme", "version": 1)";

// Thousands digits 0-8 struck in the positional kill: 9000-9999 survive.
const QByteArray kNinesScheme = "{" + kHeader + R"j(, "checked": ["Check_hewei_sha1(0)", "Check_hewei_sha1(1)",
    "Check_hewei_sha1(2)", "Check_hewei_sha1(3)", "Check_hewei_sha1(4)", "Check_hewei_sha1(5)",
    "Check_hewei_sha1(6)", "Check_hewei_sha1(7)", "Check_hewei_sha1(8)"]})j";

struct Run
{
    int exitCode = -1;
    QByteArray out, err;
};

Run shrinkCommand(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VINTORA_SHRINK), arguments);
    process.waitForFinished();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
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
    void roundTripOverEveryFamily_data();
    void roundTripOverEveryFamily();
    void startingSheetRoundTrips();
    void savedSchemeListsOnlyChangesInAStableOrder();
    void loadTicksExactlyTheListedBoxes();
    void malformedSchemeLeavesTheSheet_data();
    void malformedSchemeLeavesTheSheet();
    void buttonsGoThroughTheFileDialog();
    void recentSchemesKeepTheLastEight();
    void droppedSchemeLoads();
    void exportWritesWhatTheListShows();
    void exportRefusals();
    void commandLineAgreesWithTheWindow();
    void commandLineOutputs();
    void commandLineRefusesBadSchemes();

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }
    void pressShrink() { pressAction(m_window.get(), 0); }
    QString resultText() const { return m_window->shrinkState().ResultText; }

    QTemporaryDir m_folder;
    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;
};

void TestScheme::toolStripLiesUnderTheSheet()
{
    const QWidget *strip = control<QWidget>(m_window.get(), QStringLiteral("ToolStrip"));
    QVERIFY(strip);
    QCOMPARE(strip, m_window->toolStrip());
    QCOMPARE(strip->y(), px(Regions::ClientHeight));
    QCOMPARE(strip->x(), 0);
    QCOMPARE(strip->width(), m_window->width());
    QCOMPARE(m_window->height(), strip->geometry().bottom() + 1);
    QVERIFY(strip->isVisible());
    const struct
    {
        const char *name;
        const char *caption;
        QKeySequence shortcut;
    } buttons[] = {
        {"C_save_scheme", "保存方案", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"C_load_scheme", "载入方案", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"C_recent_schemes", "最近方案", QKeySequence()},
        {"C_export_result", "导出结果", QKeySequence(QStringLiteral("Ctrl+E"))},
    };
    int right = -1;
    for (const auto &expected : buttons) {
        auto *b = control<QPushButton>(strip, QLatin1String(expected.name));
        QVERIFY2(b, expected.name);
        QCOMPARE(b->text(), QString::fromUtf8(expected.caption));
        QCOMPARE(b->shortcut(), expected.shortcut);
        QVERIFY(strip->rect().contains(b->geometry()));
        QVERIFY(b->x() > right);
        right = b->geometry().right();
    }
    QVERIFY(control<QPushButton>(strip, QStringLiteral("C_recent_schemes"))->menu());

    // A tool's widget joins the row, after the buttons.
    auto *label = new QLabel(QStringLiteral("新工具"));
    m_window->addToolStripWidget(label);
    QCOMPARE(label->parentWidget(), strip);
    QTRY_VERIFY(label->isVisible() && label->x() > right);
}

void TestScheme::roundTripOverEveryFamily_data()
{
    QTest::addColumn<int>("seed");
    for (int seed : {0, 1, 2, 5})
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
}

void TestScheme::roundTripOverEveryFamily()
{
    QFETCH(int, seed);
    Fmain *w = m_window.get();
    pressAction(w, 3);
    const QStringList cleared = sheetState(w);
    pickConditions(w, seed);
    const QStringList picked = sheetState(w);
    pressShrink();
    const QString result = resultText();
    const QString count = control<QLabel>(w, QStringLiteral("dadi_zhushu"))->text();
    QVERIFY2(count.toInt() > 0 && count.toInt() < 10000, qPrintable(count));

    QVERIFY(m_window->save_scheme(path(QStringLiteral("round.json"))));
    pressAction(w, 3);
    // The reset keeps "胆码计重"; the picks below set it the other way round.
    tick(w, QStringLiteral("Check_dm_jchong"), false);
    QCOMPARE(sheetState(w), cleared);
    // Whatever the sheet holds before the load is gone after it.
    pickConditions(w, seed + 3);
    QVERIFY(m_window->load_scheme(path(QStringLiteral("round.json"))));
    QCOMPARE(sheetState(w), picked);
    QVERIFY(m_modals->messages.isEmpty());

    pressShrink();
    QCOMPARE(resultText(), result);
    QCOMPARE(control<QLabel>(w, QStringLiteral("dadi_zhushu"))->text(), count);
}

void TestScheme::startingSheetRoundTrips()
{
    // The boxes' start texts end in a line break that the reset texts lack.
    Fmain *w = m_window.get();
    const QStringList start = sheetState(w);
    QVERIFY(m_window->save_scheme(path(QStringLiteral("start.json"))));
    pressAction(w, 3);
    QVERIFY(sheetState(w) != start);
    QVERIFY(m_window->load_scheme(path(QStringLiteral("start.json"))));
    QCOMPARE(sheetState(w), start);
}

void TestScheme::savedSchemeListsOnlyChangesInAStableOrder()
{
    Fmain *w = m_window.get();
    pressAction(w, 3);
    click(w, "C_max", 4);
    click(w, "C_bi", 17);
    click(w, "C_danzu", 3);
    tick(w, QStringLiteral("Check_kuadu_sha(0)"));
    tick(w, QStringLiteral("Check_hewei_sha1(12)"));
    type(w, "T_ding", 3, QStringLiteral("45 67"));
    setTolerance(w, 5, QStringLiteral("1"));
    QVERIFY(m_window->save_scheme(path(QStringLiteral("first.json"))));
    const QByteArray first = readFile(path(QStringLiteral("first.json")));

    const QJsonObject scheme = QJsonDocument::fromJson(first).object();
    QCOMPARE(scheme.value(u"format").toString(), QStringLiteral("vintora-scheme"));
    QCOMPARE(scheme.value(u"version").toInt(), 1);
    const QStringList selected = scheme.value(u"selected").toVariant().toStringList();
    QCOMPARE(QSet<QString>(selected.begin(), selected.end()),
             (QSet<QString>{"C_max(4)", "C_bi(17)", "C_danzu(3)"}));
    const QStringList checked = scheme.value(u"checked").toVariant().toStringList();
    QCOMPARE(QSet<QString>(checked.begin(), checked.end()),
             (QSet<QString>{"Check_kuadu_sha(0)", "Check_hewei_sha1(12)"}));
    QCOMPARE(scheme.value(u"texts").toObject(), QJsonObject({{"T_ding(3)", "45 67"}}));
    QCOMPARE(scheme.value(u"tolerances").toObject(), QJsonObject({{"Com_rc(5)", "1"}}));
    // Indented, keys sorted: one entry a line, ready for diff.
    QVERIFY(first.contains("\n    \"checked\": [\n"));
    QVERIFY(first.indexOf("\"checked\"") < first.indexOf("\"format\""));
    QVERIFY(first.indexOf("\"texts\"") < first.indexOf("\"tolerances\""));

    // The same sheet clicked in another order saves the same bytes.
    pressAction(w, 3);
    setTolerance(w, 5, QStringLiteral("1"));
    type(w, "T_ding", 3, QStringLiteral("45 67"));
    tick(w, QStringLiteral("Check_hewei_sha1(12)"));
    tick(w, QStringLiteral("Check_kuadu_sha(0)"));
    click(w, "C_danzu", 3);
    click(w, "C_bi", 17);
    click(w, "C_max", 4);
    QVERIFY(m_window->save_scheme(path(QStringLiteral("second.json"))));
    QCOMPARE(readFile(path(QStringLiteral("second.json"))), first);

    // The reset sheet saves nothing but the header.
    pressAction(w, 3);
    QVERIFY(m_window->save_scheme(path(QStringLiteral("empty.json"))));
    const QJsonObject empty = QJsonDocument::fromJson(readFile(path(QStringLiteral("empty.json")))).object();
    QCOMPARE(empty.value(u"selected").toArray().size(), 0);
    QCOMPARE(empty.value(u"checked").toArray().size(), 0);
    QCOMPARE(empty.value(u"texts").toObject().size(), 0);
    QCOMPARE(empty.value(u"tolerances").toObject().size(), 0);
}

void TestScheme::loadTicksExactlyTheListedBoxes()
{
    Fmain *w = m_window.get();
    auto repeats = [w] { return control<QCheckBox>(w, QStringLiteral("Check_dm_jchong"))->isChecked(); };
    writeFile(path(QStringLiteral("without.json")), "{" + kHeader + "}");
    writeFile(path(QStringLiteral("with.json")), "{" + kHeader + R"j(, "checked": ["Check_dm_jchong"]})j");

    // The reset alone keeps "胆码计重"; a load ticks it only when listed.
    tick(w, QStringLiteral("Check_dm_jchong"));
    pressAction(w, 3);
    QVERIFY(repeats());
    QVERIFY(m_window->load_scheme(path(QStringLiteral("without.json"))));
    QVERIFY(!repeats());
    QVERIFY(m_window->load_scheme(path(QStringLiteral("with.json"))));
    QVERIFY(repeats());

    // Boxes left out of a scheme hold their reset texts.
    type(w, "T_cs_ip", 0, QStringLiteral("12 13"));
    setTolerance(w, 4, QStringLiteral("3"));
    QVERIFY(m_window->load_scheme(path(QStringLiteral("without.json"))));
    const QStringList loaded = sheetState(w);
    pressAction(w, 3);
    tick(w, QStringLiteral("Check_dm_jchong"), false);
    QCOMPARE(loaded, sheetState(w));

    // The reader fills them itself, so vintora-shrink sees the same sheet.
    const SchemeReading bare = read_scheme("{" + kHeader + "}");
    QVERIFY(bare.record);
    QCOMPARE(bare.record->texts.size(), 9);
    QCOMPARE(bare.record->texts.value(QStringLiteral("T_cs_ip(3)")), QStringLiteral("大底号码，双击清空"));
    QCOMPARE(bare.record->texts.value(QStringLiteral("T_ding(6)")), QStringLiteral("\n双击清空"));
    QCOMPARE(bare.record->tolerances.size(), 6);
    QCOMPARE(bare.record->tolerances.value(QStringLiteral("Com_rc(5)")), QStringLiteral("0"));
}

void TestScheme::malformedSchemeLeavesTheSheet_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("named");  // what the message must name
    QTest::newRow("not JSON") << QByteArray(R"({"format": "vintora-scheme" "version": 1})") << "第 29 个字节";
    QTest::newRow("not an object") << QByteArray(R"(["vintora-scheme"])") << "JSON 对象";
    QTest::newRow("empty") << QByteArray() << "空";
    QTest::newRow("wrong format") << QByteArray(R"({"format": "vintora", "version": 1})") << "format";
    QTest::newRow("no format") << QByteArray(R"({"version": 1})") << "format";
    QTest::newRow("version 2") << QByteArray(R"({"format": "vintora-scheme", "version": 2})") << "版本 2";
    QTest::newRow("version 0") << QByteArray(R"({"format": "vintora-scheme", "version": 0})") << "version";
    QTest::newRow("version 0.5") << QByteArray(R"({"format": "vintora-scheme", "version": 0.5})") << "version";
    QTest::newRow("version as text") << QByteArray(R"({"format": "vintora-scheme", "version": "1"})")
                                     << "version";
    QTest::newRow("unknown name") << QByteArray("{" + kHeader + R"j(, "selected": ["C_bi(17)", "C_bi(159)"]})j")
                                  << "C_bi(159)";
    QTest::newRow("unknown text box") << QByteArray("{" + kHeader + R"j(, "texts": {"T_jj(0)": "1234"}})j")
                                      << "T_jj(0)";
    QTest::newRow("wrong list") << QByteArray("{" + kHeader + R"j(, "selected": ["Check_ac_sha(1)"]})j")
                                << "Check_ac_sha(1)";
    QTest::newRow("number as text") << QByteArray("{" + kHeader + R"j(, "tolerances": {"Com_rc(5)": 3}})j")
                                    << "Com_rc(5)";
    QTest::newRow("list as text") << QByteArray("{" + kHeader + R"j(, "checked": "Check_ac_sha(1)"})j") << "checked";
    QTest::newRow("unknown key") << QByteArray("{" + kHeader + R"j(, "text": {}})j") << "text";
    QTest::newRow("not UTF-8") << QByteArray("{" + kHeader + ", \"texts\": {\"T_ding(1)\": \"\xC0\xAF\"}}")
                               << "UTF-8";
}

void TestScheme::malformedSchemeLeavesTheSheet()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, named);
    Fmain *w = m_window.get();
    pickConditions(w, 4);
    const QStringList before = sheetState(w);
    const QString file = path(QStringLiteral("坏方案.json"));
    writeFile(file, bytes);

    QVERIFY(!m_window->load_scheme(file));
    QCOMPARE(sheetState(w), before);
    QCOMPARE(m_modals->messages.size(), 1);
    const ModalMessage &message = m_modals->messages.constFirst();
    QCOMPARE(message.title, QStringLiteral("错误提示"));
    QVERIFY2(message.text.contains(QDir::toNativeSeparators(file)), qPrintable(message.text));
    QVERIFY2(message.text.contains(named), qPrintable(message.text));
}

void TestScheme::buttonsGoThroughTheFileDialog()
{
    Fmain *w = m_window.get();
    FileDialogRecorder dialogs;
    const QString saved = path(QStringLiteral("dialog.json"));
    pickConditions(w, 2);
    const QStringList picked = sheetState(w);

    // Cancelled: nothing is written and nothing is said.
    control<QPushButton>(w, QStringLiteral("C_save_scheme"))->click();
    QCOMPARE(dialogs.asked.size(), 1);
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);
    QVERIFY(dialogs.asked[0].startPath.endsWith(QStringLiteral("/缩水方案.json")));
    QVERIFY(!QFile::exists(saved));

    dialogs.answers = {saved};
    control<QPushButton>(w, QStringLiteral("C_save_scheme"))->click();
    QVERIFY(QFile::exists(saved));

    // The next dialog starts in the folder just used.
    pressAction(w, 3);
    dialogs.answers = {saved};
    control<QPushButton>(w, QStringLiteral("C_load_scheme"))->click();
    QCOMPARE(dialogs.asked.size(), 3);
    QCOMPARE(dialogs.asked[2].request.kind, FileRequest::Open);
    QCOMPARE(dialogs.asked[2].startPath, m_folder.path());
    QCOMPARE(sheetState(w), picked);
    QVERIFY(m_modals->messages.isEmpty());

    // A second window, as after a restart, loads the scheme the dialog saved.
    m_window.reset();
    m_window = startedWindow();
    dialogs.answers = {saved};
    control<QPushButton>(m_window.get(), QStringLiteral("C_load_scheme"))->click();
    QCOMPARE(dialogs.asked.last().startPath, m_folder.path());
    QCOMPARE(sheetState(m_window.get()), picked);
}

void TestScheme::recentSchemesKeepTheLastEight()
{
    Fmain *w = m_window.get();
    WindowSettings().remove(QStringLiteral("Schemes"));
    QMenu *menu = control<QPushButton>(w, QStringLiteral("C_recent_schemes"))->menu();
    emit menu->aboutToShow();
    QCOMPARE(menu->actions().size(), 1);
    QVERIFY(!menu->actions()[0]->isEnabled());

    for (int i = 0; i < 10; ++i) {
        setTolerance(w, 5, QString::number(i));
        QVERIFY(m_window->save_scheme(path(QStringLiteral("r%1&.json").arg(i))));
    }
    // Loading an older one brings it to the top without a second entry.
    QVERIFY(m_window->load_scheme(path(QStringLiteral("r5&.json"))));
    emit menu->aboutToShow();
    QStringList shown;
    for (QAction *action : menu->actions())
        shown << action->text();
    const auto entry = [this](int i) { return QDir::toNativeSeparators(path(QStringLiteral("r%1&&.json").arg(i))); };
    QCOMPARE(shown, (QStringList{entry(5), entry(9), entry(8), entry(7), entry(6), entry(4), entry(3), entry(2)}));

    menu->actions()[3]->trigger();
    QCOMPARE(control<QComboBox>(w, QStringLiteral("Com_rc(5)"))->currentText(), QStringLiteral("7"));
    emit menu->aboutToShow();
    QCOMPARE(menu->actions()[0]->text(), entry(7));
    QCOMPARE(menu->actions().size(), 8);
}

void TestScheme::droppedSchemeLoads()
{
    Fmain *w = m_window.get();
    const QString file = path(QStringLiteral("dropped.json"));
    writeFile(file, kNinesScheme);
    auto drop = [&](QWidget *target, const QString &dropped) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(dropped)});
        mime.setText(QUrl::fromLocalFile(dropped).toString());
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        enter.ignore();
        QCoreApplication::sendEvent(target, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        event.ignore();
        QCoreApplication::sendEvent(target, &event);
        QVERIFY(event.isAccepted());
    };
    QCheckBox *struck = control<QCheckBox>(w, QStringLiteral("Check_hewei_sha1(8)"));

    drop(w, file);
    QTRY_VERIFY(struck->isChecked());

    // A text box takes the file as a scheme too, not as text.
    pressAction(w, 3);
    QPlainTextEdit *base = control<QPlainTextEdit>(w, QStringLiteral("T_cs_ip(3)"));
    const QString hint = base->toPlainText();
    drop(base->viewport(), file);
    QTRY_VERIFY(struck->isChecked());
    QCOMPARE(base->toPlainText(), hint);

    // A dropped file that is no scheme says so and changes nothing.
    const QString other = path(QStringLiteral("notes.txt"));
    writeFile(other, "1234 5678");
    const QStringList before = sheetState(w);
    drop(w, other);
    QTRY_COMPARE(m_modals->messages.size(), 1);
    QVERIFY(m_modals->messages[0].text.contains(QStringLiteral("notes.txt")));
    QCOMPARE(sheetState(w), before);
}

void TestScheme::exportWritesWhatTheListShows()
{
    Fmain *w = m_window.get();
    FileDialogRecorder dialogs;
    writeFile(path(QStringLiteral("nines.json")), kNinesScheme);
    QVERIFY(m_window->load_scheme(path(QStringLiteral("nines.json"))));
    QPushButton *exportButton = control<QPushButton>(w, QStringLiteral("C_export_result"));
    auto exported = [&](const QString &name) {
        dialogs.answers = {path(name)};
        exportButton->click();
        return QString::fromUtf8(readFile(path(name))).split(u'\n');
    };
    auto lines = [](QStringList numbers) { return numbers << QString(); };

    pressShrink();
    QCOMPARE(exported(QStringLiteral("survivors.txt")), lines(numbersWhere([](int n) { return n >= 9000; })));
    const QRegularExpression suggested(QStringLiteral(R"(^缩水结果-20\d{6}-\d{4}\.txt$)"));
    QVERIFY2(suggested.match(dialogs.asked[0].request.suggestedName).hasMatch(),
             qPrintable(dialogs.asked[0].request.suggestedName));
    QCOMPARE(dialogs.asked[0].request.kind, FileRequest::Save);

    pressAction(w, 4);  // 反选
    QCOMPARE(exported(QStringLiteral("eliminated.txt")), lines(numbersWhere([](int n) { return n < 9000; })));

    pressAction(w, 2);  // 转为组选
    // Groups with a 9: all 715 of four digits less the 495 without one.
    const QStringList groups = listShown(w);
    QCOMPARE(groups.size(), 220);
    QCOMPARE(exported(QStringLiteral("groups.txt")), lines(groups));
}

void TestScheme::exportRefusals()
{
    Fmain *w = m_window.get();
    FileDialogRecorder dialogs;
    QPushButton *exportButton = control<QPushButton>(w, QStringLiteral("C_export_result"));

    // Nothing listed: a message, and no dialog.
    exportButton->click();
    QCOMPARE(dialogs.asked.size(), 0);
    QCOMPARE(m_modals->messages.size(), 1);
    QVERIFY(m_modals->messages[0].text.contains(QStringLiteral("没有可导出的号码")));

    pressShrink();
    const QString unwritable = path(QStringLiteral("no-such-folder/result.txt"));
    dialogs.answers = {unwritable};
    exportButton->click();
    QCOMPARE(m_modals->messages.size(), 2);
    QCOMPARE(m_modals->messages[1].title, QStringLiteral("错误提示"));
    QVERIFY(m_modals->messages[1].text.contains(QStringLiteral("无法写入")));
    QVERIFY(m_modals->messages[1].text.contains(QDir::toNativeSeparators(unwritable)));
    QVERIFY(!QFile::exists(unwritable));

    // A scheme that cannot be written is said as clearly.
    QVERIFY(!m_window->save_scheme(path(QStringLiteral("no-such-folder/scheme.json"))));
    QCOMPARE(m_modals->messages.size(), 3);
    QVERIFY(m_modals->messages[2].text.contains(QStringLiteral("无法写入方案文件")));
}

void TestScheme::commandLineAgreesWithTheWindow()
{
    Fmain *w = m_window.get();
    for (int seed : {0, 1, 3, 6}) {
        pressAction(w, 3);
        pickConditions(w, seed);
        const QString file = path(QStringLiteral("cli%1.json").arg(seed));
        QVERIFY(m_window->save_scheme(file));
        pressShrink();

        const Run plain = shrinkCommand({file});
        QCOMPARE(plain.exitCode, 0);
        QCOMPARE(QString::fromUtf8(plain.out), resultText() + u'\n');
        QCOMPARE(plain.err, QByteArray());
        const Run count = shrinkCommand({QStringLiteral("--count"), file});
        QCOMPARE(QString::fromUtf8(count.out),
                 control<QLabel>(w, QStringLiteral("dadi_zhushu"))->text() + u'\n');
        const Run lines = shrinkCommand({QStringLiteral("--lines"), file});
        QStringList shown;
        const QListWidget *list = control<QListWidget>(w, QStringLiteral("Li_out"));
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text() + u'\n';
        QCOMPARE(QString::fromUtf8(lines.out), shown.join(QString()));
    }
}

void TestScheme::commandLineOutputs()
{
    const QString nines = path(QStringLiteral("nines.json"));
    writeFile(nines, kNinesScheme);
    const QStringList survivors = numbersWhere([](int n) { return n >= 9000; });
    QCOMPARE(shrinkCommand({nines}).out, survivors.join(u' ').toUtf8() + '\n');
    QCOMPARE(shrinkCommand({QStringLiteral("--count"), nines}).out, QByteArray("1000\n"));
    const QByteArray lines = shrinkCommand({QStringLiteral("--lines"), nines}).out;
    QCOMPARE(lines.count('\n'), 250);
    QVERIFY(lines.startsWith("9000 9001 9002 9003 \n9004 9005 9006 9007 \n"));
    QVERIFY(lines.endsWith("9996 9997 9998 9999 \n"));

    // Nothing survives: an empty line, a zero, no lines.
    const QString none = path(QStringLiteral("none.json"));
    writeFile(none, "{" + kHeader + R"j(, "tolerances": {"Com_rc(4)": "13", "Com_rc(5)": "13"}})j");
    const Run empty = shrinkCommand({none});
    QCOMPARE(empty.exitCode, 0);
    QCOMPARE(empty.out, QByteArray("\n"));
    QCOMPARE(shrinkCommand({QStringLiteral("--count"), none}).out, QByteArray("0\n"));
    QCOMPARE(shrinkCommand({QStringLiteral("--lines"), none}).out, QByteArray());

    const Run version = shrinkCommand({QStringLiteral("--version")});
    QCOMPARE(version.exitCode, 0);
    QVERIFY2(version.out.contains(VINTORA_VERSION), version.out.constData());
    const Run help = shrinkCommand({QStringLiteral("--help")});
    QCOMPARE(help.exitCode, 0);
    QVERIFY(help.out.contains("--count") && help.out.contains("--lines"));
}

void TestScheme::commandLineRefusesBadSchemes()
{
    const QString bad = path(QStringLiteral("version2.json"));
    writeFile(bad, R"({"format": "vintora-scheme", "version": 2})");
    const QString missing = path(QStringLiteral("missing.json"));
    for (const QString &file : {bad, missing}) {
        const Run run = shrinkCommand({file});
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err.count('\n'), 1);
        QVERIFY(run.err.endsWith('\n'));
        QVERIFY2(QString::fromUtf8(run.err).contains(QDir::toNativeSeparators(file)), run.err.constData());
    }
    QVERIFY(QString::fromUtf8(shrinkCommand({bad}).err).contains(QStringLiteral("版本 2")));

    // The same refusal as the window's.
    m_window->load_scheme(bad);
    QCOMPARE(m_modals->messages.size(), 1);
    QCOMPARE(QString::fromUtf8(shrinkCommand({bad}).err), m_modals->messages[0].text + u'\n');
}

QTEST_MAIN(TestScheme)
#include "tst_scheme.moc"
