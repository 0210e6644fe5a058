#include "ui/file_drop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {
// The path of the one local file a drag carries; empty for anything else.
QString droppedFile(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.constFirst().isLocalFile())
        return {};
    return urls.constFirst().toLocalFile();
}
}

FileDropCatcher::FileDropCatcher(QWidget *window, Receiver receiver)
    : QObject(window)
    , m_receiver(std::move(receiver))
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->acceptDrops())
            child->installEventFilter(this);
    }
}

bool FileDropCatcher::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (droppedFile(drag->mimeData()).isEmpty())
            break;
        drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString path = droppedFile(drop->mimeData());
        if (path.isEmpty())
            break;
        drop->acceptProposedAction();
        // Loading may show a message box; it waits until the drop has ended.
        QMetaObject::invokeMethod(this, [this, path] { m_receiver(path); }, Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
