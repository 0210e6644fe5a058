#include "help/help_popups.h"
#include "ui/geometry.h"
#include "testsupport.h"

#include <QFile>
#include <QStringDecoder>

namespace {
// The 19 block titles in the order the help text holds them.
const QStringList kTitles = {
    QStringLiteral("联网失败"),     QStringLiteral("杀直选号码"),   QStringLiteral("杀垃圾复式说明"),
    QStringLiteral("杀两码组合"),   QStringLiteral("必出两码组合"), QStringLiteral("杀三码组合"),
    QStringLiteral("必出三码组合"), QStringLiteral("定位杀号说明"), QStringLiteral("交集说明"),
    QStringLiteral("定位杀"),       QStringLiteral("和跨胆"),       QStringLiteral("特别排除"),
    QStringLiteral("胆组容错"),     QStringLiteral("杀012路形态"),  QStringLiteral("最小号与最大号"),
    QStringLiteral("总容错"),       QStringLiteral("杀特殊形态"),   QStringLiteral("大小比"),
    QStringLiteral("杀大小形态"),
};

QByteArray resourceBytes()
{
    QFile file(QStringLiteral(":/help_text.gbk"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString key(const QString &title)
{
    return QStringLiteral("[*") + title + QStringLiteral("*]");
}

// The block each help button shows, by button index; button 2 has none.
QString buttonTitle(int index)
{
    const char *titles[] = {"最小号与最大号", "杀大小形态",     nullptr,        "交集说明",     "特别排除",
                            "杀直选号码",     "杀特殊形态",     "胆组容错",     "定位杀",       "和跨胆",
                            "杀012路形态",    "杀垃圾复式说明", "大小比",       "杀两码组合",   "必出两码组合",
                            "杀三码组合",     "必出三码组合",   "定位杀号说明", "总容错"};
    return QString::fromUtf8(titles[index]);
}

// The one message shown while the recorder lives.
ModalMessage shownFor(const QString &title)
{
    ModalRecorder modals;
    show_help_topic(nullptr, title);
    return modals.messages.value(0);
}
}

class TstHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(useTestFolders());
        // The window's core start-up loads the help text.
        QVERIFY(HelpText().isEmpty());
        startedWindow();
        QVERIFY(!HelpText().isEmpty());
    }

    void resourceIsGbkWithCrLfLines();
    void resourceMatchesItsUtf8Source();
    void textHasTheBlockLayout();
    void everyKeyOccursExactlyTwice();
    void everyBlockIsFound_data();
    void everyBlockIsFound();
    void shortTitleDoesNotMatchALongerOne();
    void missingTitlesShowTheNotFoundMessage_data();
    void missingTitlesShowTheNotFoundMessage();
    void bodiesHoldTheRulesThePanelsQuote_data();
    void bodiesHoldTheRulesThePanelsQuote();
    void buttonsShowTheirBlocks_data();
    void buttonsShowTheirBlocks();
    void windowHelpButtonsShowTheirBlocks();
    void danButtonOpensThePicture();
    void otherIndexesDoNothing();
};

void TstHelp::resourceIsGbkWithCrLfLines()
{
    const QByteArray bytes = resourceBytes();
    QVERIFY(bytes.size() > 4000);
    QVERIFY(bytes.endsWith(QByteArray("\r\n\0\0", 4)));
    QCOMPARE(bytes.count('\0'), 2);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
    QStringDecoder fromGbk("GBK");
    const QString text = fromGbk.decode(bytes);
    QVERIFY(!fromGbk.hasError());
    QVERIFY(text.startsWith(QStringLiteral("弹窗说明详细列表\r\n\r\n1.[*联网失败*]\r\n")));
    QCOMPARE(HelpText(), text);
}

void TstHelp::resourceMatchesItsUtf8Source()
{
    QFile source(QStringLiteral(VINTORA_SOURCE_DIR "/resources/help_text.txt"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QString expected = QString::fromUtf8(source.readAll()).replace(u'\n', QStringLiteral("\r\n"));
    expected += QChar(0);
    expected += QChar(0);
    QCOMPARE(HelpText(), expected);
}

void TstHelp::textHasTheBlockLayout()
{
    // Lines: the heading, an empty line, then per block its numbered opening
    // line, body lines and the closing key, blocks apart by one empty line.
    const QStringList lines = HelpText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines[0], QStringLiteral("弹窗说明详细列表"));
    QCOMPARE(lines[1], QString());
    qsizetype line = 2;
    for (int n = 1; n <= kTitles.size(); ++n) {
        const QString title = kTitles[n - 1];
        QCOMPARE(lines[line], QString::number(n) + u'.' + key(title));
        const qsizetype closing = lines.indexOf(key(title), line + 1);
        QVERIFY2(closing > line + 1, qPrintable(title));
        for (qsizetype body = line + 1; body < closing; ++body)
            QVERIFY2(!lines[body].isEmpty() && !lines[body].contains(QStringLiteral("[*")), qPrintable(title));
        QCOMPARE(lines[closing + 1], QString());
        line = closing + 2;
    }
    for (int i = 0; i < 9; ++i)
        QCOMPARE(lines[line + i], QStringLiteral("1.[**]"));
    for (qsizetype rest = line + 9; rest < lines.size() - 1; ++rest)
        QCOMPARE(lines[rest], QString());
    QCOMPARE(lines.last(), QString(2, QChar(0)));
}

void TstHelp::everyKeyOccursExactlyTwice()
{
    for (const QString &title : kTitles)
        QVERIFY2(HelpText().count(key(title)) == 2, qPrintable(title));
    // 19 keys twice and nine placeholders; no other "[*" anywhere.
    QCOMPARE(HelpText().count(QStringLiteral("[*")), 2 * 19 + 9);
}

void TstHelp::everyBlockIsFound_data()
{
    QTest::addColumn<int>("number");
    for (int n = 1; n <= kTitles.size(); ++n)
        QTest::newRow(qPrintable(kTitles[n - 1])) << n;
}

void TstHelp::everyBlockIsFound()
{
    QFETCH(int, number);
    const QString title = kTitles[number - 1];
    const QString opening = QString::number(number) + u'.' + key(title) + QStringLiteral("\r\n");
    const qsizetype bodyStart = HelpText().indexOf(opening) + opening.size();
    const qsizetype bodyEnd = HelpText().indexOf(QStringLiteral("\r\n") + key(title), bodyStart);
    QVERIFY(bodyStart > opening.size() && bodyEnd > bodyStart);
    QString body = HelpText().mid(bodyStart, bodyEnd - bodyStart);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    const ModalMessage shown = shownFor(title);
    QCOMPARE(shown.title, QStringLiteral("温馨提示"));
    // The key, the line break that ends the opening line, the body and the
    // line break before the closing key.
    QCOMPARE(shown.text, key(title) + QStringLiteral("\n\n") + body + u'\n');
    QVERIFY(!shown.text.contains(u'\r'));
}

void TstHelp::shortTitleDoesNotMatchALongerOne()
{
    const ModalMessage shown = shownFor(QStringLiteral("定位杀"));
    QVERIFY(shown.text.startsWith(QStringLiteral("[*定位杀*]\n\n千位、百位、十位、个位四行里")));
    QVERIFY(shown.text.contains(QStringLiteral("定位杀千百十个4个位置算一个条件")));
    QVERIFY(!shown.text.contains(QStringLiteral("12**")));
}

void TstHelp::missingTitlesShowTheNotFoundMessage_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("empty") << QString();
    QTest::newRow("not a title") << QStringLiteral("总容错说明");
    QTest::newRow("placeholder star") << QStringLiteral("*");
}

void TstHelp::missingTitlesShowTheNotFoundMessage()
{
    QFETCH(QString, title);
    const ModalMessage shown = shownFor(title);
    QCOMPARE(shown.text, QStringLiteral("没有找到此说明数据"));
    QCOMPARE(shown.title, QStringLiteral("温馨提示"));
}

void TstHelp::bodiesHoldTheRulesThePanelsQuote_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("line");
    auto row = [](const char *title, const char *line) {
        QTest::addRow("%s: %s", title, line) << QString::fromUtf8(title) << QString::fromUtf8(line);
    };
    row("定位杀", "容错1-4是表示定位出1-4个胆");
    row("定位杀", "定位杀千百十个4个位置算一个条件");
    row("胆组容错", "四行胆码算一个条件");
    row("大小比", "小01234，大56789");
    row("大小比", "奇13579，偶02468");
    row("大小比", "质12357，合04689");
    row("杀特殊形态", "以上功能打勾表示删除");
    row("杀特殊形态", "1234、1122、1113");
    row("杀特殊形态", "4321、9000、9911");
    row("杀特殊形态", "1230、1120、1200");
    row("杀特殊形态", "2105、2215、2155");
    row("杀特殊形态", "1205、4859、3647、5608、5712");
    row("杀特殊形态", "2150、8495、6374、6580、7561");
    row("杀大小形态", "按键变黄色表示排除号码，全部按键变黄色得0注");
    row("杀012路形态", "按键变黄色表示排除号码，全部按键变黄色得0注");
    row("杀012路形态", "千百十个位各位置号码分别除以3");
    row("杀012路形态", "5892是2202，9468是0102");
    row("杀垃圾复式说明", "千*百*十*个");
    row("杀垃圾复式说明", "123456*2345678*1234567*1234567890");
    row("杀垃圾复式说明", "2940");
    row("和跨胆", "7552");
    row("和跨胆", "AC值为4");
    row("和跨胆", "9814");
    row("和跨胆", "AC值为6");
    row("和跨胆", "00 05 08 16");
    row("定位杀号说明", "12**");
    row("特别排除", "9012");
}

void TstHelp::bodiesHoldTheRulesThePanelsQuote()
{
    QFETCH(QString, title);
    QFETCH(QString, line);
    QVERIFY(shownFor(title).text.contains(line));
}

void TstHelp::buttonsShowTheirBlocks_data()
{
    QTest::addColumn<int>("index");
    for (int index = 0; index < 19; ++index) {
        if (index != 2)
            QTest::addRow("%d", index) << index;
    }
}

void TstHelp::buttonsShowTheirBlocks()
{
    QFETCH(int, index);
    const QString title = buttonTitle(index);
    auto window = startedWindow();
    ModalRecorder modals;
    show_help_for_button(window.get(), window->controls(), index);
    QCOMPARE(modals.messages.size(), 1);
    QVERIFY(modals.messages[0].text.startsWith(key(title) + QStringLiteral("\n\n")));
    QVERIFY(!control<QWidget>(window.get(), QStringLiteral("Pic_dmsm"))->isVisible());
}

void TstHelp::windowHelpButtonsShowTheirBlocks()
{
    auto window = startedWindow();
    int clicked = 0;
    for (int index = 0; index < 19; ++index) {
        ColorButton *help = button(window.get(), arrayName("C_teshu_sm", index));
        if (!help || index == 2)
            continue;
        ModalRecorder modals;
        help->click();
        QCOMPARE(modals.messages.size(), 1);
        QVERIFY2(modals.messages[0].text.startsWith(key(buttonTitle(index)) + QStringLiteral("\n\n")),
                 qPrintable(arrayName("C_teshu_sm", index)));
        ++clicked;
    }
    QVERIFY(clicked >= 10);
}

void TstHelp::danButtonOpensThePicture()
{
    auto window = startedWindow();
    ModalRecorder modals;
    show_help_for_button(window.get(), window->controls(), 2);
    QVERIFY(modals.messages.isEmpty());
    QVERIFY(control<QWidget>(window.get(), QStringLiteral("Pic_dmsm"))->isVisible());
}

void TstHelp::otherIndexesDoNothing()
{
    auto window = startedWindow();
    ModalRecorder modals;
    for (int index : {-1, 19, 100})
        show_help_for_button(window.get(), window->controls(), index);
    QVERIFY(modals.messages.isEmpty());
    QVERIFY(!control<QWidget>(window.get(), QStringLiteral("Pic_dmsm"))->isVisible());
}

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
