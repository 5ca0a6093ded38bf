// Takes files dropped on a widget: the first local file or folder goes to a callback.
#include "ui/filedrop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace vantrelo {

QString FirstDroppedPath(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return QString();
    for (const QUrl& u : data->urls())
        if (u.isLocalFile())
            return u.toLocalFile();
    return QString();
}

TFileDrop::TFileDrop(QWidget* target, std::function<void(const QString&)> dropped)
    : QObject(target), dropped_(std::move(dropped)) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

bool TFileDrop::eventFilter(QObject*, QEvent* e) {
    switch (e->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* d = static_cast<QDragMoveEvent*>(e);
        if (FirstDroppedPath(d->mimeData()).isEmpty())
            return false;
        d->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* d = static_cast<QDropEvent*>(e);
        const QString path = FirstDroppedPath(d->mimeData());
        if (path.isEmpty())
            return false;
        d->acceptProposedAction();
        dropped_(path);
        return true;
    }
    default:
        return false;
    }
}

} // namespace vantrelo
