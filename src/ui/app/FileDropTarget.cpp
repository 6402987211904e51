#include "ui/app/FileDropTarget.h"

#include <optional>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "platform/FileNames.h"

namespace tarnwick::ui {

namespace {
// The one local file a drag carries; several files, or anything else, are not taken. The name's
// bytes come percent-encoded ("caf%E9.pud"); QMimeData::urls() decodes them as UTF-8, which turns
// a name that is no UTF-8 into another, so the list is read as the bytes it is.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) {
        return std::nullopt;
    }
    QList<QUrl> urls;
    for (const QByteArray& line : data->data("text/uri-list").split('\n')) {
        const QByteArray entry = line.trimmed();
        if (!entry.isEmpty() && !entry.startsWith('#')) {
            urls << QUrl::fromEncoded(entry, QUrl::StrictMode);
        }
    }
    if (urls.isEmpty()) {
        urls = data->urls();
    }
    if (urls.size() != 1 || !urls.constFirst().isLocalFile()) {
        return std::nullopt;
    }
    const QByteArray path = urls.constFirst().path(QUrl::FullyEncoded).toLatin1();
    return platform::fileNameFromBytes(QByteArray::fromPercentEncoding(path));
}
}  // namespace

FileDropTarget::FileDropTarget(QWidget& window, Open open)
    : QObject(&window), open_(std::move(open)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (droppedFile(drag->mimeData())) {
                drag->acceptProposedAction();
                return true;
            }
            return false;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (const auto file = droppedFile(drop->mimeData())) {
                drop->acceptProposedAction();
                open_(*file);
                return true;
            }
            return false;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace tarnwick::ui
