#pragma once

#include <QListView>

class ResultLines;

// Li_out: a result shown four numbers a line. The lines are made when the
// view asks for them, the few on screen, so a list of 2,500 lines is shown
// without an item per line. Read its lines through model(), like any list.
class ResultListView : public QListView
{
    Q_OBJECT
public:
    explicit ResultListView(QWidget *parent = nullptr);

    // The numbers to show, ascending, separated by single spaces.
    void setNumbers(const QString &numbers);
    const QString &numbers() const;
    void clear() { setNumbers({}); }

private:
    ResultLines *m_lines;
};
