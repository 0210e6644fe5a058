#include "ui/factory.h"

#include "ui/colorbutton.h"
#include "ui/whole_lines_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
class DoubleClickClearer : public QObject
{
public:
    explicit DoubleClickClearer(QPlainTextEdit *box)
        : QObject(box)
        , m_box(box)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_box->clear();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPlainTextEdit *m_box;
};
}

ColorButton *make_button(QWidget *parent, const QString &name, const QString &caption,
                         const QRect &geometry, int backColor)
{
    auto *button = new ColorButton(caption, parent, backColor);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QCheckBox *make_check_box(QWidget *parent, const QString &name, const QString &caption,
                          const QRect &geometry)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QLabel *make_label(QWidget *parent, const QString &text, const QRect &geometry, const QString &name)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QPushButton *make_strip_button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(caption) + 12);
    return button;
}

QGroupBox *make_frame(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &geometry)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    return frame;
}

QComboBox *make_tolerance_box(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(QStringLiteral("0"));
    box->setGeometry(geometry);
    return box;
}

namespace {
QPlainTextEdit *placeTextBox(QPlainTextEdit *box, const QString &name, const QRect &geometry)
{
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A tab only ever separates entries in these boxes, so the key moves on.
    box->setTabChangesFocus(true);
    // Their lists of digits need no shaping, which is most of laying out a
    // list of megabytes or a set operation's paragraph of 50,000 characters.
    QFont font = box->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    box->setFont(font);
    return box;
}
}

QPlainTextEdit *make_text_box(QWidget *parent, const QString &name, const QRect &geometry,
                              const QString &text)
{
    return placeTextBox(new QPlainTextEdit(text, parent), name, geometry);
}

QPlainTextEdit *make_line_box(QWidget *parent, const QString &name, const QRect &geometry,
                              const QString &text)
{
    return placeTextBox(new WholeLinesEdit(text, parent), name, geometry);
}

void clear_on_double_click(QPlainTextEdit *box)
{
    // Mouse events reach the viewport, not the box itself.
    box->viewport()->installEventFilter(new DoubleClickClearer(box));
}
