#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tarnwick::platform {

// What the editor remembers per user in the "Tarnwick" store: where the game is installed
// ("War2Dir"), where the main window was and the files opened or saved last.
class SettingsStore {
  public:
    // Whether the store exists at all: a first run has none.
    bool exists() const;
    // Makes an empty store, so that the next start is no first run.
    void create();
    // An absent value reads as empty text.
    QString war2Dir() const;
    void setWar2Dir(const QString& directory);
    // The main window's size, place and maximised state, as Qt saves them; empty at first.
    QByteArray mainWindowGeometry() const;
    void setMainWindowGeometry(const QByteArray& geometry);
    // The width the user gave the main window's unit list; 0 until there is one.
    int unitListWidth() const;
    void setUnitListWidth(int width);
    // The unit table's size and column widths, as the window saves them; empty at first.
    QByteArray unitTableLayout() const;
    void setUnitTableLayout(const QByteArray& layout);
    // Full paths, newest first.
    QStringList recentFiles() const;
    void setRecentFiles(const QStringList& files);
    // Where the store lives, for the README and for tests.
    QString location() const;

  private:
    // Throws tarnwick::Error when the store cannot be written.
    void write(const char* key, const QVariant& value);
};

}  // namespace tarnwick::platform
