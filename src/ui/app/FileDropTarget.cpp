#include "ui/app/FileDropTarget.h"

#include <optional>

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tarnwick::ui {

namespace {
// The one local file a drag carries; several files, or anything else, are not taken.
std::optional<QString> droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
        !data->urls().constFirst().isLocalFile()) {
        return std::nullopt;
    }
    return data->urls().constFirst().toLocalFile();
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
