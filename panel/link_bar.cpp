#include "panel/link_bar.h"

#include "ui/colorbutton.h"
#include "panel/controls.h"
#include "ui/factory.h"
#include "panel/regions.h"

#include <QLabel>
#include <QMouseEvent>

namespace {
// The tab row is free from here to the right edge of the window.
constexpr int kLinkButtonsLeft = 500;
constexpr int kLinkButtonWidth = 45;
constexpr int kLinkButtonStep = 46;

const QRect kLabelArea = Regions::FeedLabels.rect();
constexpr int kLabelHeight = 22;
constexpr int kLabelStep = 26;

QRect labelRect(int row)
{
    return QRect(kLabelArea.left() + 2, kLabelArea.top() + 2 + kLabelStep * row, kLabelArea.width() - 4,
                 kLabelHeight);
}
}

void build_link_bar(QWidget *window, Controls &controls)
{
    for (int n = 1; n <= 10; ++n) {
        const QRect geometry(kLinkButtonsLeft + kLinkButtonStep * (n - 1), 1, kLinkButtonWidth, 25);
        auto *button = make_button(window, arrayName("C_gn_ding", n), QString::fromUtf16(kDefaultLinkCaptions[n - 1]),
                                   geometry);
        place(controls.C_gn_ding, n, button);
    }

    controls.L_server = make_label(window, QString(), labelRect(0), QStringLiteral("L_server"));
    for (int k = 0; k < 3; ++k) {
        const QString caption = k == 2 ? QString::fromUtf16(kDefaultLinkCaptions[kContactSlot - 1]) : QString();
        QLabel *label = make_label(window, caption, labelRect(k + 1), arrayName("L_di_ad", k));
        label->setMouseTracking(true);
        label->setCursor(Qt::PointingHandCursor);
        paint_link_label(label, false);
        place(controls.L_di_ad, k, label);
    }
}

void paint_link_label(QLabel *label, bool hovered)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, hovered ? Qt::red : Qt::blue);
    label->setPalette(palette);
    QFont font = label->font();
    font.setUnderline(hovered);
    label->setFont(font);
}

LinkLabelWatcher::LinkLabelWatcher(const QList<QLabel *> &labels, QObject *parent)
    : QObject(parent)
    , m_labels(labels)
{
    for (QLabel *label : labels)
        label->installEventFilter(this);
}

bool LinkLabelWatcher::eventFilter(QObject *watched, QEvent *event)
{
    const int index = m_labels.indexOf(qobject_cast<QLabel *>(watched));
    if (index >= 0) {
        if (event->type() == QEvent::MouseMove) {
            emit moved(index);
        } else if (event->type() == QEvent::MouseButtonRelease) {
            const auto *release = static_cast<QMouseEvent *>(event);
            if (release->button() == Qt::LeftButton && m_labels[index]->rect().contains(release->position().toPoint()))
                emit clicked(index);
        }
    }
    return QObject::eventFilter(watched, event);
}
