#pragma once

#include <functional>
#include <type_traits>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "DemoGameData.h"
#include "ScriptedPrompts.h"
#include "core/model/Document.h"
#include "platform/PluginLink.h"
#include "platform/SettingsStore.h"
#include "ui/app/MainWindow.h"

namespace tarnwick::testsupport {

// The demo game directory, written once per test program.
inline QString demoGameDirectory() {
    static QTemporaryDir directory;
    static const bool written = [] {
        demo::writeDemoGameDirectory(directory.path());
        return true;
    }();
    (void)written;
    return directory.path();
}

// The host's block as the windows of this test program name it: a real host's block is never
// met, nor one of another test program running beside.
inline std::string testBlockName() {
    return "/tarnwick-test-" + QCoreApplication::applicationName().toStdString() + "-" +
           std::to_string(QCoreApplication::applicationPid());
}

// A main window over its own document, scripted prompts, the test's settings store and a link
// to the test's own host block.
struct MainWindowHarness {
    model::Document document;
    ScriptedPrompts prompts;
    platform::SettingsStore settings;
    platform::PluginLink plugInLink{testBlockName()};
    ui::MainWindow window{document, prompts, settings, plugInLink};

    // Starts up with `game` (the demo game unless given) as the stored game directory, as a
    // user with the game would.
    void startWithGame(const QString& game = demoGameDirectory()) {
        settings.setWar2Dir(game);
        window.startUp({});
    }
};

inline const QString kDropEditsQuestion = "Do you wish to save changes before closing this file?";

// Opens `path` as a user does who answers No when asked about unsaved edits, for tests about
// something else that open one document after another; the question is not kept among the
// messages shown.
inline void openDroppingEdits(MainWindowHarness& h, const QString& path) {
    const std::size_t before = h.prompts.shown.size();
    h.prompts.answers.push_front(ui::Answer::No);
    h.window.openFile(path);
    if (h.prompts.shown.size() > before && h.prompts.shown[before].text == kDropEditsQuestion) {
        h.prompts.shown.erase(h.prompts.shown.begin() + static_cast<std::ptrdiff_t>(before));
    } else {
        h.prompts.answers.pop_front();
    }
}

inline const QString kNoFileLoaded = "Error!  No file loaded!";
inline const QString kFatalExtraction = "A fatal error has occured during extraction! ";

inline const QString kNothingLoaded =
    "Error!  No file loaded!  You must load a file before you can save.";

// A control of `window` by object name; a missing control ends the test program at once.
template <typename T>
T* control(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control %s", qPrintable(name));
    }
    return found;
}

// What window tests share: a harness and its controls by object name.
class WindowTestBase : public QObject {
  protected:
    template <typename T>
    T* child(const QString& name) const {
        return control<T>(h_->window, name);
    }
    QLineEdit* box(const QString& name) const { return child<QLineEdit>(name); }
    QLabel* label(const QString& name) const { return child<QLabel>(name); }
    QCheckBox* check(const QString& name) const { return child<QCheckBox>(name); }
    QRadioButton* radio(const QString& name) const { return child<QRadioButton>(name); }
    QComboBox* combo(const QString& name) const { return child<QComboBox>(name); }
    QSlider* slider(const QString& name) const { return child<QSlider>(name); }
    QListWidget* list() const { return child<QListWidget>("unitList"); }
    // A fresh main window, started with `game` (the demo game unless given) and shown.
    void startShownWithGame(const QString& game = demoGameDirectory()) {
        h_ = std::make_unique<MainWindowHarness>();
        h_->startWithGame(game);
        h_->window.show();
    }
    void select(int row) const { list()->setCurrentRow(row); }

    std::unique_ptr<MainWindowHarness> h_;
};

// Opening a menu runs its enabling handlers, as a click on it would.
inline void openMenu(QMenu* menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

// Triggers `item` and, while the modal dialog it opens is open, lets `whileOpen` drive it; the
// steps must close it. Returns whether such a dialog opened.
template <typename Dialog = QDialog>
bool runModal(QAction* item, const std::type_identity_t<std::function<void(Dialog&)>>& whileOpen) {
    bool opened = false;
    QTimer::singleShot(0, item, [&] {
        auto* shown = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (shown == nullptr) {
            return;
        }
        opened = true;
        whileOpen(*shown);
        if (shown->isVisible()) {
            shown->reject();
            QFAIL("the dialog stayed open");
        }
    });
    item->trigger();
    QCoreApplication::processEvents();  // a dialog that did not open: the timer runs here
    return opened;
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
#define TARNWICK_UI_TEST_MAIN(TestClass)                        \
    int main(int argc, char** argv) {                           \
        QTemporaryDir configHome;                               \
        qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8()); \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {   \
            qputenv("QT_QPA_PLATFORM", "offscreen");            \
        }                                                       \
        QApplication application(argc, argv);                   \
        TestClass test;                                         \
        return QTest::qExec(&test, argc, argv);                 \
    }
