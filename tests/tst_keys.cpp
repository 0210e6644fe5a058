// Keys of the window: F5 runs "[开始缩水]", Esc closes the dan picture.
#include "testsupport.h"

#include <QCheckBox>
#include <QPlainTextEdit>

class TstKeys : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(useTestFolders()); }
    void init() { m_window = startedWindow(); }
    void cleanup() { m_window.reset(); }

    void f5RunsTheShrink();
    void f5RunsFromInsideATextBox();
    void escClosesTheDanPicture();

private:
    QLabel *count() const { return control<QLabel>(m_window.get(), QStringLiteral("dadi_zhushu")); }

    ModalRecorder m_modals;
    std::unique_ptr<Fmain> m_window;
};

namespace {
// Numbers whose digit sum does not end in `tail`.
int withoutSumTail(int tail)
{
    int kept = 0;
    for (int n = 0; n < 10000; ++n)
        kept += (n / 1000 + n / 100 % 10 + n / 10 % 10 + n % 10) % 10 != tail ? 1 : 0;
    return kept;
}
}

void TstKeys::f5RunsTheShrink()
{
    control<QCheckBox>(m_window.get(), QStringLiteral("Check_hewei_sha(3)"))->setChecked(true);
    QCOMPARE(count()->text(), QStringLiteral("0"));
    QTest::keyClick(m_window.get(), Qt::Key_F5);
    QCOMPARE(count()->text().toInt(), withoutSumTail(3));
}

void TstKeys::f5RunsFromInsideATextBox()
{
    auto *base = control<QPlainTextEdit>(m_window.get(), QStringLiteral("T_cs_ip(3)"));
    base->setPlainText(QStringLiteral("0123 4567 8901"));
    base->setFocus();
    QTest::keyClick(base, Qt::Key_F5);
    QCOMPARE(count()->text(), QStringLiteral("3"));
    QCOMPARE(base->toPlainText(), QStringLiteral("0123 4567 8901"));
}

void TstKeys::escClosesTheDanPicture()
{
    QWidget *picture = control<QWidget>(m_window.get(), QStringLiteral("Pic_dmsm"));
    button(m_window.get(), QStringLiteral("C_teshu_sm(2)"))->click();
    QVERIFY(picture->isVisible());
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!picture->isVisible());
    // Esc with the picture closed leaves the sheet alone.
    QTest::keyClick(m_window.get(), Qt::Key_Escape);
    QVERIFY(!picture->isVisible());
    QVERIFY(m_window->isVisible());
}

QTEST_MAIN(TstKeys)
#include "tst_keys.moc"
