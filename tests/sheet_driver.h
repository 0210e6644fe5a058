#pragma once

#include "testsupport.h"

#include "core/sheet_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QRegularExpression>

// Drives the condition sheet of a window the way the player does, finding
// every control by its object name, and reads what a run shows. A control
// that is missing fails the test that asked for it.
class SheetDriver
{
public:
    explicit SheetDriver(const Fmain *window)
        : m_window(window)
    {
    }

    // A toggle button, clicked once.
    void click(const QString &name) const
    {
        ColorButton *b = button(m_window, name);
        QVERIFY2(b, qPrintable(name));
        b->click();
    }
    void click(const char *array, int index) const { click(arrayName(array, index)); }

    // A check box, clicked when it does not show `on` yet.
    void tick(const QString &name, bool on = true) const
    {
        auto *box = control<QCheckBox>(m_window, name);
        QVERIFY2(box, qPrintable(name));
        if (box->isChecked() != on)
            box->click();
        QVERIFY2(box->isChecked() == on, qPrintable(name));
    }
    void tick(const char *array, int index, bool on = true) const { tick(arrayName(array, index), on); }

    // A typed box takes the whole text at once, as a paste does.
    void type(const QString &name, const QString &text) const
    {
        auto *box = control<QPlainTextEdit>(m_window, name);
        QVERIFY2(box, qPrintable(name));
        box->setPlainText(text);
    }
    void type(const char *array, int index, const QString &text) const { type(arrayName(array, index), text); }

    // A typed box emptied by a double-click, then typed key by key.
    void typeKeys(const QString &name, const QString &text) const
    {
        auto *box = control<QPlainTextEdit>(m_window, name);
        QVERIFY2(box, qPrintable(name));
        QTest::mouseDClick(box->viewport(), Qt::LeftButton);
        QTest::keyClicks(box, text);
    }

    // Com_rc(index) shows `text`, as typed into its edit line.
    void setTolerance(int index, const QString &text) const
    {
        auto *box = control<QComboBox>(m_window, arrayName("Com_rc", index));
        QVERIFY2(box, qPrintable(arrayName("Com_rc", index)));
        box->setEditText(text);
    }

    // "[开始缩水]": the count the window then shows.
    int run() const { return pressAction(m_window, 0); }

    // The numbers the result list shows, in its order.
    QList<int> listed() const
    {
        QList<int> numbers;
        for (const QString &line : resultLines(m_window)) {
            for (const QString &token : line.split(u' ', Qt::SkipEmptyParts))
                numbers.append(token.toInt());
        }
        return numbers;
    }

    // The numbers of the result text; -1 stands for a token that is not four digits.
    QList<int> resultNumbers() const
    {
        QList<int> numbers;
        const QString &text = m_window->shrinkState().ResultText;
        for (QStringView token : QStringView(text).split(u' ', Qt::SkipEmptyParts))
            numbers.append(token.size() == 4 ? token.toInt() : -1);
        return numbers;
    }

    // Every condition control as "name=state": a toggle's colour, a check
    // box's tick, a box's text, a tolerance's text; sorted by name.
    QStringList state() const
    {
        static const QRegularExpression condition(
            QStringLiteral(R"(^(C_bi|C_max|C_danzu|C_danzu_gs|Check_\w+|T_ding|T_cs_ip|Com_rc)(\(\d+\))?$)"));
        QStringList state;
        for (const QWidget *child : m_window->findChildren<QWidget *>()) {
            const QString name = child->objectName();
            if (!condition.match(name).hasMatch())
                continue;
            if (auto *b = qobject_cast<const ColorButton *>(child))
                state << name + u'=' + QString::number(b->backColor());
            else if (auto *c = qobject_cast<const QCheckBox *>(child))
                state << name + u'=' + (c->isChecked() ? QStringLiteral("ticked") : QStringLiteral("clear"));
            else if (auto *t = qobject_cast<const QPlainTextEdit *>(child))
                state << name + u'=' + t->toPlainText();
            else if (auto *r = qobject_cast<const QComboBox *>(child))
                state << name + u'=' + r->currentText();
        }
        state.sort();
        return state;
    }

private:
    const Fmain *m_window;
};
