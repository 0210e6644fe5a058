#include "testsupport.h"

#include "app/mycode.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>
#include <array>

// Megabytes pasted into every typed box, then every action pressed: nothing
// may crash or stall, and what the window shows must agree with itself and
// with the numbers that were pasted.
class TestHeavyInput : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyActionCopesWithMegabytesInEveryBox();
    void tenThousandNumbersInTheBaseSetAndBothSetBoxes();

private:
    void paste(const QString &box, const QString &text);
    void openSetOperationTab();
    void press(int action);
    void checkListing(int expectedCount);

    std::unique_ptr<Fmain> m_window;
    std::unique_ptr<ModalRecorder> m_modals;
    QStringList m_clipboard;
};

namespace {
enum : int { Shrink, CopyResult, ToGroups, ResetConditions, Invert, CopySetResult, Intersection, Union, AWithoutB, BWithoutA };

constexpr qsizetype kPasteSize = 5'000'000;
constexpr qint64 kActionBoundMs = 20'000;

using Numbers = QSet<int>;

// About `size` characters of what players paste: numbers of one to six
// digits (the four-digit ones drawn from [low, high)), letters, full-width
// punctuation, every kind of line break, long runs of spaces and "*".
QString mixedText(qsizetype size, quint32 seed, int low, int high)
{
    static const QString pieces[] = {
        QStringLiteral("，"), QStringLiteral("。"), QStringLiteral("；"), QStringLiteral("、"),
        QStringLiteral("（）"), QStringLiteral("abcXYZ"), QStringLiteral("\r\n"), QStringLiteral("\n"),
        QStringLiteral("\r"), QStringLiteral("*"), QStringLiteral("**"), QStringLiteral("\t"),
    };
    QRandomGenerator random(seed);
    QString text;
    text.reserve(size + 200);
    while (text.size() < size) {
        const int kind = int(random.bounded(10));
        if (kind < 4) {
            text += QStringLiteral("%1").arg(random.bounded(low, high), 4, 10, QLatin1Char('0'));
        } else if (kind < 6) {
            const int length = 1 + int(random.bounded(6));
            for (int i = 0; i < length; ++i)
                text += QChar(u'0' + int(random.bounded(10)));
        } else if (kind < 7) {
            text += QString(1 + int(random.bounded(100)), u' ');
        } else {
            text += pieces[random.bounded(int(std::size(pieces)))];
        }
        text += u' ';
    }
    return text;
}

// The four-digit numbers of a pasted text: any non-digit separates them.
Numbers fourDigitNumbers(QStringView text)
{
    Numbers numbers;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
            ++i;
        if (i - start == 4)
            numbers.insert(text.sliced(start, 4).toInt());
        if (i == start)
            ++i;
    }
    return numbers;
}

QString groupOf(int n)
{
    QString digits = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
    std::sort(digits.begin(), digits.end());
    return digits;
}

QString textOf(const QWidget *window, const QString &box)
{
    return control<QPlainTextEdit>(window, box)->toPlainText();
}

int labelCount(const QWidget *window, const QString &label)
{
    return control<QLabel>(window, label)->text().toInt();
}

QStringList numbersIn(const QString &text)
{
    return text.isEmpty() ? QStringList() : text.split(u' ');
}
}

void TestHeavyInput::initTestCase()
{
    QVERIFY(useTestFolders());
}

void TestHeavyInput::init()
{
    m_modals = std::make_unique<ModalRecorder>();
    m_clipboard.clear();
    mycode::setClipboardWriter([this](const QString &text) {
        m_clipboard.append(text);
        return true;
    });
    m_window = startedWindow();
}

void TestHeavyInput::cleanup()
{
    m_window.reset();
    mycode::setClipboardWriter({});
    m_modals.reset();
}

void TestHeavyInput::paste(const QString &box, const QString &text)
{
    auto *edit = control<QPlainTextEdit>(m_window.get(), box);
    QVERIFY2(edit, qPrintable(box));
    // What select-all and paste do.
    edit->selectAll();
    edit->insertPlainText(text);
}

// The operations stand on their own tab, which the player opens first; the
// boxes then lay out their lists at their real width.
void TestHeavyInput::openSetOperationTab()
{
    button(m_window.get(), QStringLiteral("C_sst_0(5)"))->click();
    QTRY_VERIFY(control<QPlainTextEdit>(m_window.get(), QStringLiteral("T_jj(0)"))->isVisible());
}

void TestHeavyInput::press(int action)
{
    QElapsedTimer clock;
    clock.start();
    button(m_window.get(), QStringLiteral("C_guolv_ks(%1)").arg(action))->click();
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(elapsed < kActionBoundMs, qPrintable(QStringLiteral("action %1 took %2 ms").arg(action).arg(elapsed)));
}

// The count label, ResultText and the list box tell the same story.
void TestHeavyInput::checkListing(int expectedCount)
{
    const QWidget *w = m_window.get();
    const QStringList numbers = numbersIn(m_window->shrinkState().ResultText);
    QCOMPARE(labelCount(w, QStringLiteral("dadi_zhushu")), expectedCount);
    QCOMPARE(numbers.size(), expectedCount);
    QCOMPARE(resultLines(w).size(), (expectedCount + 3) / 4);
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        QCOMPARE(numbers[i].size(), 4);
        if (i > 0)
            QVERIFY(numbers[i - 1] < numbers[i]);
    }
}

void TestHeavyInput::everyActionCopesWithMegabytesInEveryBox()
{
    const QWidget *w = m_window.get();
    // The straight list kills 3000-9999 and the base set holds 0000-5999, so
    // with every other box killing too only the tolerance decides the rest.
    paste(QStringLiteral("T_ding(0)"), mixedText(kPasteSize, 1, 3000, 10000));
    for (int box = 1; box <= 6; ++box)
        paste(QStringLiteral("T_ding(%1)").arg(box), mixedText(kPasteSize, 1 + box, 0, 10000));
    paste(QStringLiteral("T_cs_ip(0)"), mixedText(kPasteSize, 8, 0, 10000));
    const QString base = mixedText(kPasteSize, 9, 0, 6000);
    paste(QStringLiteral("T_cs_ip(3)"), base);
    const QString setA = mixedText(kPasteSize, 10, 0, 7000);
    const QString setB = mixedText(kPasteSize, 11, 4000, 10000);
    paste(QStringLiteral("T_jj(0)"), setA);
    paste(QStringLiteral("T_jj(1)"), setB);
    const Numbers inBase = fourDigitNumbers(base);
    const Numbers inA = fourDigitNumbers(setA);
    const Numbers inB = fourDigitNumbers(setB);

    // Tolerance 0 to 0: every number of 3000-9999 is listed as killed, and the
    // two-code kill box lists every pair, so nothing can survive.
    press(Shrink);
    checkListing(0);

    // Tolerance 0 to 12: exactly the base set survives.
    control<QComboBox>(w, QStringLiteral("Com_rc(5)"))->setEditText(QStringLiteral("12"));
    press(Shrink);
    checkListing(int(inBase.size()));
    for (const QString &number : numbersIn(m_window->shrinkState().ResultText))
        QVERIFY(inBase.contains(number.toInt()));

    press(CopyResult);
    QCOMPARE(m_clipboard.size(), 1);
    QCOMPARE(m_clipboard.last(), m_window->shrinkState().ResultText);

    QSet<QString> groups;
    for (int n : inBase)
        groups.insert(groupOf(n));
    press(ToGroups);
    checkListing(int(groups.size()));
    for (const QString &group : numbersIn(m_window->shrinkState().ResultText))
        QVERIFY(groups.contains(group));

    // The inversion lists the straight numbers the last run eliminated.
    press(Invert);
    checkListing(10000 - int(inBase.size()));

    const auto countOf = [](const std::function<bool(int)> &keep) {
        int count = 0;
        for (int n = 0; n < 10000; ++n)
            count += keep(n) ? 1 : 0;
        return count;
    };
    const int expected[] = {
        countOf([&](int n) { return inA.contains(n) && inB.contains(n); }),
        countOf([&](int n) { return inA.contains(n) || inB.contains(n); }),
        countOf([&](int n) { return inA.contains(n) && !inB.contains(n); }),
        countOf([&](int n) { return inB.contains(n) && !inA.contains(n); }),
    };
    openSetOperationTab();
    for (int action = Intersection; action <= BWithoutA; ++action) {
        press(action);
        const int count = expected[action - Intersection];
        QCOMPARE(labelCount(w, QStringLiteral("Ljiaoji_zhushu")), count);
        QCOMPARE(numbersIn(textOf(w, QStringLiteral("T_jj(2)"))).size(), count);
    }
    // The boxes now show their lists as digits and single spaces.
    QVERIFY(!textOf(w, QStringLiteral("T_jj(0)")).contains(QStringLiteral("  ")));
    QCOMPARE(fourDigitNumbers(textOf(w, QStringLiteral("T_jj(0)"))), inA);

    press(CopySetResult);
    QCOMPARE(m_clipboard.size(), 2);
    QCOMPARE(m_clipboard.last(), textOf(w, QStringLiteral("T_jj(2)")));

    press(ResetConditions);
    QCOMPARE(textOf(w, QStringLiteral("T_jj(0)")), QString());
    QVERIFY(textOf(w, QStringLiteral("T_cs_ip(3)")).startsWith(QStringLiteral("大底号码")));
    QVERIFY(!textOf(w, QStringLiteral("T_ding(1)")).contains(u'*'));
}

void TestHeavyInput::tenThousandNumbersInTheBaseSetAndBothSetBoxes()
{
    const QWidget *w = m_window.get();
    // Every number once each, in descending order and one per line.
    QString everyNumber;
    for (int n = 9999; n >= 0; --n)
        everyNumber += QStringLiteral("%1\n").arg(n, 4, 10, QLatin1Char('0'));
    paste(QStringLiteral("T_cs_ip(3)"), everyNumber);
    press(Shrink);
    checkListing(10000);
    QVERIFY(m_window->shrinkState().ResultText.startsWith(QStringLiteral("0000 0001 ")));

    // A: every even number and every number below 5000 (7,500 numbers).
    // B: every odd number and every number below 5000 (7,500 numbers).
    // A and B: the 5,000 below 5000; A or B: all 10,000; A without B: the
    // 2,500 even numbers from 5000; B without A: the 2,500 odd ones.
    QString a, b;
    for (int n = 0; n < 10000; ++n) {
        if (n % 2 == 0 || n < 5000)
            a += QStringLiteral("%1 ").arg(n, 4, 10, QLatin1Char('0'));
        if (n < 5000 || n % 2 == 1)
            b += QStringLiteral("%1 ").arg(n, 4, 10, QLatin1Char('0'));
    }
    openSetOperationTab();
    paste(QStringLiteral("T_jj(0)"), a);
    paste(QStringLiteral("T_jj(1)"), b);
    const int expected[] = {5000, 10000, 2500, 2500};
    for (int action = Intersection; action <= BWithoutA; ++action) {
        press(action);
        QCOMPARE(labelCount(w, QStringLiteral("Ljiaoji_zhushu")), expected[action - Intersection]);
        QCOMPARE(numbersIn(textOf(w, QStringLiteral("T_jj(2)"))).size(), expected[action - Intersection]);
    }
    QCOMPARE(textOf(w, QStringLiteral("T_jj(2)")).first(15), QStringLiteral("5001 5003 5005 "));
}

QTEST_MAIN(TestHeavyInput)
#include "tst_heavy_input.moc"
