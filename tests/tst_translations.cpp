#include "testsupport.h"
#include "ui/translations.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>

namespace {
QStringList menuTexts(QWidget *box)
{
    QMenu *menu = nullptr;
    if (auto *line = qobject_cast<QLineEdit *>(box))
        menu = line->createStandardContextMenu();
    else
        menu = qobject_cast<QPlainTextEdit *>(box)->createStandardContextMenu();
    QStringList texts;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts.append(action->text().section(u'\t', 0, 0)); // without the shortcut
    }
    delete menu;
    return texts;
}

QString qtCatalogueFolder()
{
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}
}

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }

    // Runs before any catalogue is installed in this process.
    void messageBoxSaysOkInChineseWithoutCatalogue()
    {
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
        const auto box = build_message_box(nullptr, {ModalMessage::MessageBox, QStringLiteral("反选成功。\n注意"),
                                                     QStringLiteral("温馨提示")});
        const QList<QAbstractButton *> buttons = box->buttons();
        QCOMPARE(buttons.size(), 1);
        QCOMPARE(box->standardButton(buttons.first()), QMessageBox::Ok);
        QCOMPARE(buttons.first()->text(), QStringLiteral("确定"));
        QCOMPARE(box->text(), QStringLiteral("反选成功。\n注意"));
        QCOMPARE(box->windowTitle(), QStringLiteral("温馨提示"));
        QCOMPARE(box->textFormat(), Qt::PlainText);
    }

    void missingCatalogueIsNoError()
    {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        QVERIFY(!install_qt_translations(qApp, empty.path()));
        QLineEdit box;
        QVERIFY(menuTexts(&box).contains(QStringLiteral("&Undo")));
    }

    void textBoxMenusAreChineseWithCatalogue()
    {
        if (!QFile::exists(QDir(qtCatalogueFolder()).filePath(QStringLiteral("qtbase_zh_CN.qm"))))
            QSKIP("Qt's Chinese catalogue is not installed (qt6-translations-l10n)");
        QLineEdit line;
        QPlainTextEdit plain;
        const QStringList english = {QStringLiteral("&Undo"), QStringLiteral("&Redo"), QStringLiteral("Cu&t"),
                                     QStringLiteral("&Copy"), QStringLiteral("&Paste"), QStringLiteral("Delete"),
                                     QStringLiteral("Select All")};
        QCOMPARE(menuTexts(&line), english);
        QCOMPARE(menuTexts(&plain), english);

        QVERIFY(install_qt_translations(qApp));
        const QStringList chinese = {QStringLiteral("撤消(&U)"), QStringLiteral("重做(&R)"),
                                     QStringLiteral("剪切(&T)"), QStringLiteral("复制(&C)"),
                                     QStringLiteral("粘贴(&P)"), QStringLiteral("删除"), QStringLiteral("全选")};
        QCOMPARE(menuTexts(&line), chinese);
        QCOMPARE(menuTexts(&plain), chinese);
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "OK"), QStringLiteral("确定"));
    }

    void windowCarriesEveryIconSize()
    {
        QList<QSize> committed;
        const QDir icons(QStringLiteral(VINTORA_SOURCE_DIR "/resources/icon"));
        const QRegularExpression name(QStringLiteral("^vintora-(\\d+)\\.png$"));
        for (const QString &file : icons.entryList(QDir::Files)) {
            const auto match = name.match(file);
            QVERIFY2(match.hasMatch(), qPrintable(file));
            committed.append(QSize(match.captured(1).toInt(), match.captured(1).toInt()));
        }
        QVERIFY(committed.size() >= 6);

        Fmain window;
        QList<QSize> shown = window.windowIcon().availableSizes();
        const auto bySide = [](QSize a, QSize b) { return a.width() < b.width(); };
        std::sort(committed.begin(), committed.end(), bySide);
        std::sort(shown.begin(), shown.end(), bySide);
        QCOMPARE(shown, committed);
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
