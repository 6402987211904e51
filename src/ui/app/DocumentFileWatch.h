#pragma once

#include <optional>

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

#include "platform/FileStamp.h"

namespace tarnwick::ui {

// The document's file as the editor last read or wrote it. Save asks before it overwrites a
// file that another program has changed since, and the window tells as soon as that happens.
class DocumentFileWatch : public QObject {
    Q_OBJECT

  public:
    explicit DocumentFileWatch(QObject* parent = nullptr);

    // From now on `path` is the document's file, as `stamp` describes it: taken before the
    // file was read, or after it was written, so that a change in between still shows.
    void follow(QString path, std::optional<platform::FileStamp> stamp);
    // The document has no file (any more).
    void forget();

    const QString& path() const { return path_; }
    // Whether `path` is the file followed and another program has changed it since.
    bool changedElsewhere(const QString& path) const;

  signals:
    // After every look at the file, whether another program has changed it.
    void looked(bool changedElsewhere);

  private:
    void look();

    QFileSystemWatcher watcher_;
    QString path_;
    std::optional<platform::FileStamp> stamp_;
};

}  // namespace tarnwick::ui
