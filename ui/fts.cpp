#include "ui/fts.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

Fts::Fts(QWidget *parent)
    : QDialog(parent)
    , m_label(new QLabel(QStringLiteral("复制成功！"), this))
    , m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("Fts"));
    setWindowTitle(QStringLiteral("Vintora"));
    setModal(true);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setAlignment(Qt::AlignCenter);
    QFont font = m_label->font();
    font.setPointSize(font.pointSize() + 6);
    m_label->setFont(font);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    resize(240, 90);

    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setSingleShot(true);
    m_timer->setInterval(600);
    connect(m_timer, &QTimer::timeout, this, &QDialog::accept);
    m_timer->start();
}
