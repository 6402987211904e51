#include "ui/app/DocumentFileWatch.h"

#include <QFileInfo>

namespace tarnwick::ui {

DocumentFileWatch::DocumentFileWatch(QObject* parent) : QObject(parent), watcher_(this) {
    watcher_.setObjectName("documentFileWatcher");
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &DocumentFileWatch::look);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &DocumentFileWatch::look);
}

void DocumentFileWatch::follow(QString path, std::optional<platform::FileStamp> stamp) {
    forget();
    path_ = std::move(path);
    stamp_ = std::move(stamp);
    // The folder too: a program that saves by renaming a new file over the old one leaves the
    // watch on the old file behind.
    watcher_.addPath(QFileInfo(path_).absolutePath());
    look();
}

void DocumentFileWatch::forget() {
    if (!watcher_.files().isEmpty()) {
        watcher_.removePaths(watcher_.files());
    }
    if (!watcher_.directories().isEmpty()) {
        watcher_.removePaths(watcher_.directories());
    }
    path_.clear();
    stamp_.reset();
    emit looked(false);
}

bool DocumentFileWatch::changedElsewhere(const QString& path) const {
    return !path_.isEmpty() && path == path_ && stamp_ && platform::changedSince(*stamp_, path);
}

void DocumentFileWatch::look() {
    if (path_.isEmpty()) {
        return;
    }
    // A file replaced by another is watched anew.
    if (watcher_.files().isEmpty() && QFileInfo::exists(path_)) {
        watcher_.addPath(path_);
    }
    emit looked(changedElsewhere(path_));
}

}  // namespace tarnwick::ui
