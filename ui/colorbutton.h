#pragma once

#include "ui/colors.h"

#include <QPushButton>

// A push button that paints its own background colour, so the colour shows
// on every style. backColor is 0x00BBGGRR, the form every reader compares.
class ColorButton : public QPushButton
{
    Q_OBJECT
    Q_PROPERTY(int backColor READ backColor WRITE setBackColor NOTIFY backColorChanged)
public:
    explicit ColorButton(const QString &caption, QWidget *parent = nullptr, int backColor = Colour::Grey);

    int backColor() const { return m_backColor; }
    void setBackColor(int value);

    // A small figure raised beside the caption, like an exponent; the two
    // stand centred where the caption stood alone. Empty: the caption alone.
    QString note() const { return m_note; }
    void setNote(const QString &note);

signals:
    // The colour is a selection's only record, so this is how a reader
    // learns that the selection changed, whoever changed it.
    void backColorChanged(int value);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void paintCaptionWithNote(QPainter &painter, const QRect &textRect);

    int m_backColor;
    QString m_note;
};
