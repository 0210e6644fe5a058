#include "fuzz/fuzz_targets.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

// Replays every seed and every kept fuzzer finding through its reader, so
// each run of the suite repeats what fuzzing once found.
class TestCorpus : public QObject
{
    Q_OBJECT
private slots:
    void everyTargetHasSeeds();
    void everySeedFolderHasATarget();
    void bothReadingsReachTheReader();
    void replay_data();
    void replay();
    void drawHistoryOnGeneratedTexts();
};

namespace {
QDir corpusRoot()
{
    return QDir(QStringLiteral(VINTORA_FUZZ_CORPUS));
}

QStringList seedFiles(const QString &target)
{
    return QDir(corpusRoot().filePath(target)).entryList(QDir::Files, QDir::Name);
}

// Remembers the texts a check was given.
QStringList g_seen;
QString recordText(QStringView text)
{
    g_seen.append(text.toString());
    return {};
}
}

void TestCorpus::everyTargetHasSeeds()
{
    QVERIFY(!fuzz_targets().empty());
    for (const FuzzTarget &target : fuzz_targets())
        QVERIFY2(seedFiles(QLatin1String(target.name)).size() >= 3, target.name);
}

void TestCorpus::everySeedFolderHasATarget()
{
    const QStringList folders = corpusRoot().entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QVERIFY(!folders.isEmpty());
    for (const QString &folder : folders)
        QVERIFY2(find_fuzz_target(folder), qPrintable(folder));
}

void TestCorpus::bothReadingsReachTheReader()
{
    g_seen.clear();
    const FuzzTarget recorder{"recorder", recordText};
    // Read as UTF-8: "号" and a broken sequence. Read as UTF-16 (little
    // endian): the code units 0x8FE5 and 0xD8B7, a lone high surrogate.
    const uint8_t bytes[] = {0xE5, 0x8F, 0xB7, 0xD8};
    QCOMPARE(run_fuzz_target(recorder, bytes, sizeof bytes), QString());
    QCOMPARE(g_seen.size(), 2);
    QCOMPARE(g_seen[0], QStringLiteral("号") + QChar(QChar::ReplacementCharacter));
    QCOMPARE(g_seen[1].size(), 2);
    QCOMPARE(g_seen[1][0].unicode(), char16_t(0x8FE5));
    QCOMPARE(g_seen[1][1].unicode(), char16_t(0xD8B7));
    QVERIFY(g_seen[1][1].isHighSurrogate());
}

void TestCorpus::replay_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("file");
    for (const FuzzTarget &target : fuzz_targets()) {
        const QString name = QLatin1String(target.name);
        for (const QString &file : seedFiles(name))
            QTest::newRow(qPrintable(name + u'/' + file)) << name << corpusRoot().filePath(name + u'/' + file);
    }
}

void TestCorpus::replay()
{
    QFETCH(QString, target);
    QFETCH(QString, file);
    QFile seed(file);
    QVERIFY(seed.open(QIODevice::ReadOnly));
    const QByteArray bytes = seed.readAll();
    const QString fault = run_fuzz_target(*find_fuzz_target(target), reinterpret_cast<const uint8_t *>(bytes.constData()),
                                          size_t(bytes.size()));
    QVERIFY2(fault.isEmpty(), qPrintable(fault));
}

void TestCorpus::drawHistoryOnGeneratedTexts()
{
    // The draw history's rules hinge on a few characters; texts built from
    // them reach every rule more often than the seeds do.
    const FuzzTarget *target = find_fuzz_target(u"draw_history");
    QVERIFY(target);
    const QString alphabet = QStringLiteral("0123456789０１９  ,，#＃\t\n\r\r\n期x\u3000");
    QRandomGenerator random(15);
    for (int round = 0; round < 2000; ++round) {
        QString text;
        const int length = int(random.bounded(60));
        for (int i = 0; i < length; ++i)
            text += alphabet[int(random.bounded(alphabet.size()))];
        const QString fault = target->check(text);
        QVERIFY2(fault.isEmpty(), qPrintable(fault + QStringLiteral(" in ") + text.toHtmlEscaped()));
    }
}

QTEST_GUILESS_MAIN(TestCorpus)
#include "tst_corpus.moc"
