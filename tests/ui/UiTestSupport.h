#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include "ScriptedPrompts.h"
#include "core/model/Document.h"
#include "platform/SettingsStore.h"
#include "ui/app/TfrmMain.h"

namespace tarnwick::testsupport {

// A main window over its own document, scripted prompts and the test's settings store.
struct MainWindowHarness {
    model::Document document;
    ScriptedPrompts prompts;
    platform::SettingsStore settings;
    ui::TfrmMain window{document, prompts, settings};
};

// Opening a menu runs its enabling handlers, as a click on it would.
inline void openMenu(QMenu* menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

// Forgets the stored settings, so that the next start is a first run.
inline void removeSettingsStore() {
    const QString location = platform::SettingsStore().location();
    QFile::remove(location);
    QVERIFY(!QFile::exists(location));
}

}  // namespace tarnwick::testsupport

// Runs a Qt Test class offscreen with the settings store in a temporary folder, so that tests
// never touch the user's own settings.
#define TARNWICK_UI_TEST_MAIN(TestClass)                                  \
    int main(int argc, char** argv) {                                     \
        QTemporaryDir configHome;                                         \
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());           \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {             \
            qputenv("QT_QPA_PLATFORM", "offscreen");                      \
        }                                                                 \
        QApplication application(argc, argv);                             \
        TestClass test;                                                   \
        return QTest::qExec(&test, argc, argv);                           \
    }
