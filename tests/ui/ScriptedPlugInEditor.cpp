#include <chrono>
#include <iostream>

#include <QFileInfo>
#include <QTimer>

#include "UiTestSupport.h"
#include "ui/app/TarnwickApplication.h"

// The editor as tarnwick-host starts it, for the end-to-end tests: the real main window, start-up,
// link and block name. Only its boxes are answered by script, and its user is played with Qt
// Test's clicks and keys: a click on unit 3, its hit points typed as 4321, then the ending named
// by TARNWICK_EDITOR_ENDING (the host passes nothing but "-MarrowbyPlugIn"):
//   "save" (default)  the "Save and Exit" item
//   "exit-no"         No in the exit question
// Also steered by the environment:
//   TARNWICK_EDITOR_GO       a file: the ending waits until it exists (the test meanwhile does
//                            something to the host)
//   TARNWICK_EDITOR_KEEP     a file: when the window stays after the ending, "&Save As..." to it,
//                            then No in the exit question
//   TARNWICK_EDITOR_WAIT_MS  how long the link waits for the host's answer
// Every box is printed as it is shown ("editor shows: <caption>: <text>"), and so is the end.
namespace {

using namespace tarnwick;

class PrintingPrompts : public testsupport::ScriptedPrompts {
  public:
    ui::Answer ask(const ui::Message& message, ui::Buttons buttons) override {
        std::cout << "editor shows: " << message.caption.toStdString() << ": "
                  << message.text.toStdString() << std::endl;
        return ScriptedPrompts::ask(message, buttons);
    }
};

constexpr int kEditedUnit = 3;
// The user's ending left the window open: the program must not wait for a user who never comes.
constexpr int kWindowStayed = 4;

// Until the test's go-ahead, if it gives one; a test that never does is given up after a while.
void waitForGoAhead() {
    const QString go = qEnvironmentVariable("TARNWICK_EDITOR_GO");
    for (int waits = 0; !go.isEmpty() && !QFileInfo::exists(go) && waits < 600; ++waits) {
        QTest::qWait(50);
    }
}

void playUser(ui::MainWindow& window, PrintingPrompts& prompts) {
    auto* units = testsupport::control<QListWidget>(window, "unitList");
    QTest::mouseClick(units->viewport(), Qt::LeftButton, {},
                      units->visualItemRect(units->item(kEditedUnit)).center());
    auto* hitPoints = testsupport::control<QLineEdit>(window, "hitPointsBox");
    hitPoints->selectAll();
    QTest::keyClicks(hitPoints, "4321");
    std::cout << "editor: unit " << units->currentRow() << " hit points "
              << hitPoints->text().toStdString() << std::endl;
    waitForGoAhead();

    if (qEnvironmentVariable("TARNWICK_EDITOR_ENDING") == "exit-no") {
        prompts.answers = {ui::Answer::No};
        window.menus().exit->trigger();
    } else {
        window.menus().save->trigger();
    }
    if (window.endRequested()) {
        return;
    }
    std::cout << "editor: the window stays" << std::endl;
    const QString keep = qEnvironmentVariable("TARNWICK_EDITOR_KEEP");
    if (keep.isEmpty()) {
        QCoreApplication::exit(kWindowStayed);
        return;
    }
    prompts.filesToSave = {keep};
    window.menus().saveAs->trigger();
    std::cout << "editor: chose Save As " << keep.toStdString() << std::endl;
    prompts.answers = {ui::Answer::No};
    window.menus().exit->trigger();
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);

    model::Document document;
    PrintingPrompts prompts;
    platform::SettingsStore settings;
    settings.setWar2Dir(testsupport::demoGameDirectory());
    const int waitMs = qEnvironmentVariableIntValue("TARNWICK_EDITOR_WAIT_MS");
    platform::PluginLink link(platform::hostBlockName(),
                              waitMs > 0 ? std::chrono::milliseconds(waitMs)
                                         : platform::PluginLink::kAcknowledgementTimeout);
    std::cout << "editor: process " << QCoreApplication::applicationPid() << std::endl;
    ui::MainWindow window(document, prompts, settings, link);
    // Runs once the event loop does, which only a successful start-up reaches.
    QTimer::singleShot(0, &window, [&] { playUser(window, prompts); });
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    const int exitCode = ui::runMainWindow(window, prompts, arguments);
    std::cout << "editor: ended with exit code " << exitCode << std::endl;
    return exitCode;
}
