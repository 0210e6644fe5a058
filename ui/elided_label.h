#pragma once

#include <QLabel>

// A one-line label that gives up width to its neighbours: what does not fit
// ends in an ellipsis, while text() keeps the whole line.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
