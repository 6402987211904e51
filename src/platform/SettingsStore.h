#pragma once

#include <QString>

namespace tarnwick::platform {

// Where the game is installed, remembered per user ("War2Dir" in the "Tarnwick" store).
class SettingsStore {
  public:
    // Whether the store exists at all: a first run has none.
    bool exists() const;
    // Makes an empty store, so that the next start is no first run.
    void create();
    // An absent value reads as empty text.
    QString war2Dir() const;
    void setWar2Dir(const QString& directory);
    // Where the store lives, for the README and for tests.
    QString location() const;
};

}  // namespace tarnwick::platform
