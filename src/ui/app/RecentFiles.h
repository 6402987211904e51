#pragma once

#include <QMenu>
#include <QObject>
#include <QStringList>

#include "platform/SettingsStore.h"
#include "ui/prompts/Prompts.h"

namespace tarnwick::ui {

// "Open &Recent": the last files opened or saved, newest first, kept in the settings store.
class RecentFiles : public QObject {
    Q_OBJECT

  public:
    static constexpr int kLimit = 8;

    RecentFiles(platform::SettingsStore& settings, Prompts& prompts, QMenu& menu);

    // `path` becomes the newest entry.
    void add(const QString& path);
    QStringList files() const { return settings_.recentFiles(); }

  signals:
    // A listed file that still exists was chosen.
    void openRequested(const QString& path);

  private:
    void showList();
    void choose(const QString& path);
    void store(const QStringList& files);

    platform::SettingsStore& settings_;
    Prompts& prompts_;
    QMenu& menu_;
};

}  // namespace tarnwick::ui
