#include "ui/app/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

#include "platform/FileNames.h"

namespace tarnwick::ui {

namespace {

// Bytes of a name that are no UTF-8 show as "\xE9".
QString shown(const QString& path) {
    return QDir::toNativeSeparators(QString::fromStdString(platform::shownFileName(path)));
}

}  // namespace

RecentFiles::RecentFiles(platform::SettingsStore& settings, Prompts& prompts, QMenu& menu)
    : QObject(&menu), settings_(settings), prompts_(prompts), menu_(menu) {
    showList();
}

void RecentFiles::add(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = files();
    list.removeAll(full);
    list.prepend(full);
    store(list.mid(0, kLimit));
}

void RecentFiles::store(const QStringList& list) {
    settings_.setRecentFiles(list);
    showList();
}

void RecentFiles::showList() {
    // The item being chosen may be among these: it goes once its signal has been delivered.
    for (QAction* item : menu_.actions()) {
        menu_.removeAction(item);
        item->deleteLater();
    }
    const QStringList list = files();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        QAction* item = menu_.addAction(QString("&%1 %2").arg(i + 1).arg(shown(path)));
        item->setObjectName(QString("recentFile%1Item").arg(i + 1));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
    }
    menu_.addSeparator();
    QAction* clear = menu_.addAction("Clear Menu");
    clear->setObjectName("clearRecentItem");
    clear->setEnabled(!list.isEmpty());
    connect(clear, &QAction::triggered, this, [this] { store({}); });
}

void RecentFiles::choose(const QString& path) {
    if (!platform::fileExists(path)) {
        QStringList list = files();
        list.removeAll(path);
        store(list);
        prompts_.warning(
            QString("\"%1\" no longer exists and was removed from the list.").arg(shown(path)));
        return;
    }
    emit openRequested(path);
}

}  // namespace tarnwick::ui
