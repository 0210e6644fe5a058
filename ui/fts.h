#pragma once

#include <QDialog>

class QLabel;
class QTimer;

// The copy notice: shows "复制成功！" and closes itself after 600 ms.
class Fts : public QDialog
{
    Q_OBJECT
public:
    explicit Fts(QWidget *parent = nullptr);

private:
    QLabel *m_label;
    QTimer *m_timer;
};
