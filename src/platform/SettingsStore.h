#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace tarnwick::platform {

// What the editor remembers per user in the "Tarnwick" store: where the game is installed
// ("War2Dir") and the files opened or saved last.
class SettingsStore {
  public:
    // Whether the store exists at all: a first run has none.
    bool exists() const;
    // Makes an empty store, so that the next start is no first run.
    void create();
    // An absent value reads as empty text.
    QString war2Dir() const;
    void setWar2Dir(const QString& directory);
    // Full paths, newest first.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);
    // Where the store lives, for the README and for tests.
    QString location() const;

  private:
    // Throws when the store cannot be written.
    void writeValue(const char* key, const QVariant& value);
};

}  // namespace tarnwick::platform
