#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "core/Error.h"
#include "platform/FileNames.h"

namespace tarnwick::platform {

namespace {
const char* const kGameDirectoryKey = "War2Dir";
const char* const kMainWindowGeometryKey = "MainWindowGeometry";
const char* const kRecentFilesKey = "RecentFiles";
const char* const kUnitListWidthKey = "UnitListWidth";
const char* const kUnitTableLayoutKey = "UnitTableLayout";

QSettings openStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Tarnwick", "Tarnwick");
}
}  // namespace

QString SettingsStore::location() const {
    return openStore().fileName();
}

bool SettingsStore::exists() const {
    return QFileInfo::exists(location());
}

void SettingsStore::create() {
    const QString path = location();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.exists() && !file.open(QIODevice::WriteOnly)) {
        throw Error("Cannot create the settings store \"" + path.toStdString() + "\"");
    }
}

QString SettingsStore::war2Dir() const {
    return openStore().value(kGameDirectoryKey).toString();
}

void SettingsStore::setWar2Dir(const QString& directory) {
    write(kGameDirectoryKey, directory);
}

QByteArray SettingsStore::mainWindowGeometry() const {
    return openStore().value(kMainWindowGeometryKey).toByteArray();
}

void SettingsStore::setMainWindowGeometry(const QByteArray& geometry) {
    write(kMainWindowGeometryKey, geometry);
}

int SettingsStore::unitListWidth() const {
    return openStore().value(kUnitListWidthKey).toInt();
}

void SettingsStore::setUnitListWidth(int width) {
    write(kUnitListWidthKey, width);
}

QByteArray SettingsStore::unitTableLayout() const {
    return openStore().value(kUnitTableLayoutKey).toByteArray();
}

void SettingsStore::setUnitTableLayout(const QByteArray& layout) {
    write(kUnitTableLayoutKey, layout);
}

// A name that is no UTF-8 is stored as its bytes, which a string in the store would not keep; a
// list of names that are all UTF-8 is stored as the strings it holds, as it always was.
QStringList SettingsStore::recentFiles() const {
    const QVariant stored = openStore().value(kRecentFilesKey);
    const QVariantList entries = stored.typeId() == QMetaType::QVariantList ? stored.toList()
                                 : stored.typeId() == QMetaType::QByteArray
                                     ? QVariantList{stored}
                                     : QVariant(stored.toStringList()).toList();
    QStringList files;
    for (const QVariant& entry : entries) {
        files << (entry.typeId() == QMetaType::QByteArray ? fileNameFromBytes(entry.toByteArray())
                                                          : entry.toString());
    }
    return files;
}

void SettingsStore::setRecentFiles(const QStringList& files) {
    QVariantList entries;
    bool allText = true;
    for (const QString& file : files) {
        const QByteArray bytes = bytesOfFileName(file);
        const bool text = bytes == file.toUtf8();
        allText = allText && text;
        entries << (text ? QVariant(file) : QVariant(bytes));
    }
    write(kRecentFilesKey, allText ? QVariant(files) : QVariant(entries));
}

void SettingsStore::write(const char* key, const QVariant& value) {
    QSettings store = openStore();
    store.setValue(key, value);
    store.sync();
    if (store.status() != QSettings::NoError) {
        throw Error("Cannot write the settings store \"" + store.fileName().toStdString() + "\"");
    }
}

}  // namespace tarnwick::platform
