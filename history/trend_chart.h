#pragma once

#include <QImage>
#include <QTableView>

class TrendModel;

// The trend chart as players read it: balls for the drawn digits, grey
// omission figures in the other cells, and a line joining each position's
// balls from draw to draw. One delegate paints every cell; the rows all
// have one height, so the view never measures them.
class TrendChart : public QTableView
{
    Q_OBJECT
public:
    explicit TrendChart(TrendModel *model, QWidget *parent = nullptr);

    // 显示遗漏: the figures in the cells without a ball.
    void setShowOmission(bool shown);
    // 折线: the lines joining the balls.
    void setShowLines(bool shown);

    // The whole chart, every row and column as the view paints them.
    QImage picture() const;

private:
    class Delegate;
    class Header;
    Delegate *m_delegate;
};
