#pragma once

#include <QList>
#include <QObject>
#include <span>

class ColorButton;
struct Controls;
class QWidget;

// The omission of every member of the sheet that names a set, over the
// draws of a window. Its tooltip tells its 当前遗漏 and 出现次数; while the
// marks are shown, its current omission stands on it in small figures: in
// the box of a check box that is not ticked, raised beside a button's caption. Colours and
// captions stay as they are, and hidden marks leave the sheet as it was,
// pixel for pixel.
class OmissionMarks : public QObject
{
    Q_OBJECT
public:
    OmissionMarks(const Controls &controls, QObject *parent = nullptr);

    // The numbers drawn in the window, oldest first, and the window in the
    // player's words ("最近100期"). Without draws the members say nothing.
    void setDraws(std::span<const int> numbers, const QString &window);
    void setShown(bool shown);

private:
    class BoxFigure;
    struct Mark
    {
        QString name;
        QWidget *member;
        ColorButton *button;    // a toggle; nullptr for a check box
        BoxFigure *boxFigure;   // a check box's; nullptr for a toggle
        QString figure;         // empty without draws
    };
    void showMark(const Mark &mark);

    QList<Mark> m_marks;
    bool m_shown = false;
};
