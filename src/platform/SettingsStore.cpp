#include "platform/SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "core/Error.h"

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

QStringList SettingsStore::recentFiles() const {
    return openStore().value(kRecentFilesKey).toStringList();
}

void SettingsStore::setRecentFiles(const QStringList& files) {
    write(kRecentFilesKey, files);
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
