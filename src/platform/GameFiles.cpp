#include "platform/GameFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace tarnwick::platform {

std::optional<QString> findGameFile(const QString& gameDirectory, const QString& relativePath) {
    if (gameDirectory.isEmpty()) {
        return std::nullopt;
    }
    QString current = gameDirectory;
    const QStringList components =
        relativePath.split(QRegularExpression(R"([\\/])"), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        const QDir directory(current);
        if (!directory.exists()) {
            return std::nullopt;
        }
        std::optional<QString> match;
        const QStringList entries = directory.entryList(QDir::AllEntries | QDir::Hidden |
                                                        QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            if (entry == component) {
                match = entry;
                break;
            }
            if (!match && entry.compare(component, Qt::CaseInsensitive) == 0) {
                match = entry;
            }
        }
        if (!match) {
            return std::nullopt;
        }
        current = directory.filePath(*match);
    }
    return current;
}

bool holdsGameData(const QString& gameDirectory) {
    const auto archive = findGameFile(gameDirectory, "DATA/MAINDAT.WAR");
    return archive && QFileInfo(*archive).isFile();
}

}  // namespace tarnwick::platform
