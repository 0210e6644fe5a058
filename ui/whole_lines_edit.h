#pragma once

#include <QPlainTextEdit>

// A text box only a line or two high that never shows a line in part: a
// line that does not fit whole below the first is left blank until the box
// scrolls to it. Half a line of typed entries reads as something else.
class WholeLinesEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit WholeLinesEdit(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
