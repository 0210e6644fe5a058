#pragma once

#include "ui/colors.h"

#include <QRect>
#include <QString>

class ColorButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// Small factories that name and place the window's controls; geometry is in
// pixels relative to the parent.

ColorButton *make_button(QWidget *parent, const QString &name, const QString &caption,
                         const QRect &geometry, int backColor = Colour::Grey);
QCheckBox *make_check_box(QWidget *parent, const QString &name, const QString &caption,
                          const QRect &geometry);
QLabel *make_label(QWidget *parent, const QString &text, const QRect &geometry,
                   const QString &name = QString());
QGroupBox *make_frame(QWidget *parent, const QString &name, const QString &caption,
                      const QRect &geometry);
// An editable drop-down tolerance box that starts with the text "0".
QComboBox *make_tolerance_box(QWidget *parent, const QString &name, const QRect &geometry);
// A multi-line box with a vertical scroll bar.
QPlainTextEdit *make_text_box(QWidget *parent, const QString &name, const QRect &geometry,
                              const QString &text = QString());
// The same, a line or two high: it never shows a line in part.
QPlainTextEdit *make_line_box(QWidget *parent, const QString &name, const QRect &geometry,
                              const QString &text = QString());

// A button of the tool strip, out of the keyboard's way and as wide as its
// caption: the style's least width of a button leaves the strip no room.
QPushButton *make_strip_button(QWidget *parent, const QString &name, const QString &caption);

// A double-click anywhere in the box empties it.
void clear_on_double_click(QPlainTextEdit *box);
