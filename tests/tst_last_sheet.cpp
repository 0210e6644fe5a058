// The sheet kept from one start to the next: saved on closing, loaded after
// the start-up steps, an unreadable file set aside and the sheet left cleared.
#include "testsupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace {
constexpr int Grey = 14737632, Yellow = 65535, Green = 65280;

QStringList setAsideFiles()
{
    const QFileInfo autosave(Fmain::autosave_path());
    return autosave.dir().entryList({autosave.fileName() + QStringLiteral(".unreadable-*")}, QDir::Files);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

class TstLastSheet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void theSheetComesBackAfterARestart();
    void anUntouchedSheetLeavesNoFile();
    void anUnreadableFileIsSetAsideAndTheSheetStartsCleared();
    void theRestoredSheetIsWhereUndoStops();

private:
    ModalRecorder m_modals;
};

void TstLastSheet::initTestCase()
{
    QVERIFY(useTestFolders());
    // Test mode keeps the file out of the player's own folders.
    QVERIFY(Fmain::autosave_path().contains(QStringLiteral(".qttest")));
}

void TstLastSheet::init()
{
    const QFileInfo autosave(Fmain::autosave_path());
    QFile::remove(autosave.filePath());
    for (const QString &name : setAsideFiles())
        QFile::remove(autosave.dir().filePath(name));
}

void TstLastSheet::theSheetComesBackAfterARestart()
{
    const QString base = QStringLiteral("0123 4567\n8901");
    {
        auto window = startedWindow();
        button(window.get(), QStringLiteral("C_bi(21)"))->click();
        button(window.get(), QStringLiteral("C_danzu(3)"))->click();
        control<QPlainTextEdit>(window.get(), QStringLiteral("T_cs_ip(3)"))->setPlainText(base);
        control<QComboBox>(window.get(), QStringLiteral("Com_rc(5)"))->setEditText(QStringLiteral("3"));
        QVERIFY(window->close());
    }
    QVERIFY(QFileInfo::exists(Fmain::autosave_path()));

    auto window = startedWindow();
    QTRY_COMPARE(button(window.get(), QStringLiteral("C_bi(21)"))->backColor(), Yellow);
    QCOMPARE(button(window.get(), QStringLiteral("C_danzu(3)"))->backColor(), Green);
    QCOMPARE(button(window.get(), QStringLiteral("C_bi(22)"))->backColor(), Grey);
    QCOMPARE(control<QPlainTextEdit>(window.get(), QStringLiteral("T_cs_ip(3)"))->toPlainText(), base);
    QCOMPARE(control<QComboBox>(window.get(), QStringLiteral("Com_rc(5)"))->currentText(), QStringLiteral("3"));
    // Loaded after the start-up steps: the tolerance lists are there.
    QCOMPARE(control<QComboBox>(window.get(), QStringLiteral("Com_rc(5)"))->count(), 13);
    // The list shows what the sheet keeps without a press, and is not stale.
    QCOMPARE(control<QLabel>(window.get(), QStringLiteral("dadi_zhushu"))->text(), QStringLiteral("3"));
    QCOMPARE(control<QListWidget>(window.get(), QStringLiteral("Li_out"))->item(0)->text(), QStringLiteral("0123 4567 8901 "));
    QCOMPARE(control<QLabel>(window.get(), QStringLiteral("L_stale"))->text(), QString());
    QCOMPARE(pressAction(window.get(), 0), 3);
}

void TstLastSheet::anUntouchedSheetLeavesNoFile()
{
    {
        auto window = startedWindow();
        button(window.get(), QStringLiteral("C_bi(21)"))->click();
        QVERIFY(window->close());
    }
    QVERIFY(QFileInfo::exists(Fmain::autosave_path()));
    {
        auto window = startedWindow();
        QTRY_COMPARE(button(window.get(), QStringLiteral("C_bi(21)"))->backColor(), Yellow);
        // Clicked back: the sheet is as a new start opens it.
        button(window.get(), QStringLiteral("C_bi(21)"))->click();
        QVERIFY(window->close());
    }
    QVERIFY(!QFileInfo::exists(Fmain::autosave_path()));
}

void TstLastSheet::anUnreadableFileIsSetAsideAndTheSheetStartsCleared()
{
    const QByteArray broken = QByteArrayLiteral("{\"format\": \"vintora-scheme\", \"selected\": [\"C_bi(21)\"");
    QDir().mkpath(QFileInfo(Fmain::autosave_path()).absolutePath());
    QFile file(Fmain::autosave_path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(broken);
    file.close();

    auto window = startedWindow();
    QTRY_VERIFY(!QFileInfo::exists(Fmain::autosave_path()));
    const QStringList aside = setAsideFiles();
    QCOMPARE(aside.size(), 1);
    QCOMPARE(readAll(QFileInfo(Fmain::autosave_path()).dir().filePath(aside[0])), broken);
    QCOMPARE(button(window.get(), QStringLiteral("C_bi(21)"))->backColor(), Grey);
    QCOMPARE(control<QPlainTextEdit>(window.get(), QStringLiteral("T_cs_ip(3)"))->toPlainText(),
             QStringLiteral("大底号码，双击清空\n"));
    QVERIFY(m_modals.messages.isEmpty());
    QCOMPARE(pressAction(window.get(), 0), 10000);
}

void TstLastSheet::theRestoredSheetIsWhereUndoStops()
{
    {
        auto window = startedWindow();
        button(window.get(), QStringLiteral("C_bi(30)"))->click();
        QVERIFY(window->close());
    }
    auto window = startedWindow();
    QTRY_COMPARE(button(window.get(), QStringLiteral("C_bi(30)"))->backColor(), Yellow);
    QCoreApplication::processEvents();
    QVERIFY(!control<QPushButton>(window.get(), QStringLiteral("C_undo"))->isEnabled());
}

QTEST_MAIN(TstLastSheet)
#include "tst_last_sheet.moc"
