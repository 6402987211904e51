// Every command that replaces or closes the document asks before unsaved edits go, and only
// then: Yes saves first, No drops them, Cancel or Escape leaves everything as it was.
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/DocumentFiles.h"
#include "core/files/Scenario.h"
#include "core/files/StandaloneFiles.h"
#include "ui/prompts/QtPrompts.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using ui::Answer;

namespace {

enum class Command { OpenKey, OpenButton, RecentItem, Drop, DirectOpen, CloseData };
const QList<std::pair<Command, QByteArray>> kCommands = {
    {Command::OpenKey, "Ctrl+O"},         {Command::OpenButton, "Open button"},
    {Command::RecentItem, "Open Recent"}, {Command::Drop, "drop"},
    {Command::DirectOpen, "Direct Open"}, {Command::CloseData, "Close Data"}};

// What the user sees of the document and its history.
struct Shown {
    Bytes document;
    std::string fileName;
    QString title;
    QString undoText;
    QString hitPoints;

    bool operator==(const Shown&) const = default;
};

}  // namespace

class UnsavedEditsTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() {
        platform::SettingsStore().setRecentFiles({});
        startShownWithGame();
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        platform::saveWholeFile(other_, files::writeUnitDataFile(demo::demoScenario()));
        h_->window.openFile(other_);  // the second item of "Open &Recent" from now on
    }

    void everyCommandAsksBeforeItDropsEdits() {
        for (const auto& [command, name] : kCommands) {
            for (const Answer answer : {Answer::Cancel, Answer::No, Answer::Yes}) {
                const QByteArray context =
                    name + " answered " + QByteArray::number(static_cast<int>(answer));
                openEdited();
                const Shown before = shown();
                h_->prompts.shown.clear();
                h_->prompts.answers = {answer};
                run(command);

                QVERIFY2(h_->prompts.shown.size() == 1, context);
                const auto& question = h_->prompts.shown[0];
                QVERIFY2(question.text == kDropEditsQuestion, context);
                QCOMPARE(question.caption, QString("Save?"));
                QCOMPARE(question.icon, ui::MessageIcon::Question);
                QCOMPARE(question.buttons, ui::Buttons::YesNoCancel);
                if (answer == Answer::Cancel) {
                    QVERIFY2(shown() == before, context);
                    QCOMPARE(saved(), original_);
                    continue;
                }
                QVERIFY2(wentOn(command), context);
                QVERIFY(!undoItem()->isEnabled());
                if (answer == Answer::No) {
                    QCOMPARE(saved(), original_);
                } else {
                    QCOMPARE(savedHitPoints(), 777u);
                }
            }
        }
    }

    void aFailedOrCancelledSaveStopsTheCommand() {
        // The document's folder became a file: its save fails.
        const QString folder = dir_.filePath("maps");
        QVERIFY(QDir().mkpath(folder));
        const QString ownPath = std::exchange(path_, folder + "/scenario.pud");
        openEdited();
        path_ = ownPath;
        QVERIFY(QDir(folder).removeRecursively());
        platform::saveWholeFile(folder, Bytes{1});
        const Shown before = shown();
        h_->prompts.answers = {Answer::Yes};
        run(Command::OpenKey);
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{kDropEditsQuestion, "Error Saving File!\nNot a directory"}));
        QVERIFY(shown() == before);

        // Taken from the archive, the document has no file: Yes asks where, as Save does.
        h_->prompts.answers = {Answer::No};
        directOpenDefaultUnitData();
        type("hitPointsBox", "777");
        const Shown fromArchive = shown();
        h_->prompts.shown.clear();
        h_->prompts.answers = {Answer::Yes, Answer::Yes};
        h_->prompts.filesToSave = {QString(), dir_.filePath("kept.udta")};
        run(Command::CloseData);
        QCOMPARE(h_->prompts.saveChoosers.size(), std::size_t{1});
        QVERIFY(shown() == fromArchive);
        run(Command::CloseData);
        QCOMPARE(h_->prompts.texts(), (QStringList{kDropEditsQuestion, kDropEditsQuestion}));
        QVERIFY(!h_->document.isLoaded);
        model::Document kept;
        files::readUnitDataFile(kept, platform::readWholeFile(dir_.filePath("kept.udta")));
        QCOMPARE(kept.unitData.get(model::unitfields::hitPoints, 0), 777u);
    }

    void onlyEditsThatAreStillThereAsk() {
        const auto closesWithoutAQuestion = [this] {
            h_->prompts.shown.clear();
            run(Command::CloseData);  // an unexpected question is cancelled by the script
            QVERIFY2(h_->prompts.shown.empty(), qPrintable(h_->prompts.texts().join('\n')));
            QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [NONE]"));
        };
        open(original_);
        closesWithoutAQuestion();

        openEdited();
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Z, Qt::ControlModifier);
        closesWithoutAQuestion();

        // Typing the old value back leaves nothing to undo.
        open(original_);
        const QString old = box("hitPointsBox")->text();
        type("hitPointsBox", "777");
        type("hitPointsBox", old);
        QVERIFY(!undoItem()->isEnabled());
        closesWithoutAQuestion();

        openEdited();
        QTest::keyClick(&h_->window, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(savedHitPoints(), 777u);
        closesWithoutAQuestion();

        // Undone past the save, the document differs from its file again.
        openEdited();
        QTest::keyClick(&h_->window, Qt::Key_S, Qt::ControlModifier);
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Z, Qt::ControlModifier);
        h_->prompts.shown.clear();
        run(Command::CloseData);
        QCOMPARE(h_->prompts.texts(), QStringList{kDropEditsQuestion});
        QVERIFY(h_->document.isLoaded);
    }

    void aRefusedFileAsksNothingAndKeepsTheEdits() {
        const QString text = dir_.filePath("notes.txt");
        platform::saveWholeFile(text, Bytes{'h', 'i'});
        openEdited();
        const Shown before = shown();
        h_->prompts.shown.clear();
        h_->prompts.filesToOpen = {text};
        h_->window.menus().open->trigger();
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"Unknown or unsupported filetype!", "Error: File Not Opened!"}));
        QVERIFY(shown() == before);

        // Without edits the refused open closes the document, as it always did.
        open(original_);
        h_->prompts.shown.clear();
        h_->prompts.filesToOpen = {text};
        h_->window.menus().open->trigger();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{2});
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [NONE]"));
        QVERIFY(!h_->document.isLoaded);
    }

    void escapeInTheRealBoxIsCancel() {
        ui::QtPrompts prompts;
        QTimer::singleShot(0, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            QTest::keyClick(box, Qt::Key_Escape);
            if (box->isVisible()) {
                box->button(QMessageBox::Yes)->click();  // the answer then fails the test
            }
        });
        QCOMPARE(prompts.ask({ui::MessageIcon::Question, "Save?", kDropEditsQuestion},
                             ui::Buttons::YesNoCancel),
                 Answer::Cancel);
    }

  private:
    // The scenario opened afresh from its file, with the first unit's hit points typed in.
    void openEdited() {
        open(original_);  // edits of the run before go
        type("hitPointsBox", "777");
        QVERIFY(undoItem()->isEnabled());
    }

    void run(Command command) {
        QMimeData dropped;
        switch (command) {
            case Command::OpenKey:
                h_->prompts.filesToOpen = {other_};
                QTest::keyClick(&h_->window, Qt::Key_O, Qt::ControlModifier);
                break;
            case Command::OpenButton:
                h_->prompts.filesToOpen = {other_};
                h_->window.menus().openButton->trigger();
                break;
            case Command::RecentItem:
                QCOMPARE(h_->window.recentFiles().files().value(1), other_);
                h_->window.menus().recentMenu->actions().value(1)->trigger();
                break;
            case Command::Drop: {
                dropped.setUrls({QUrl::fromLocalFile(other_)});
                // The window must have taken the drag before the drop reaches it.
                QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QApplication::sendEvent(&h_->window, &enter);
                QVERIFY(enter.isAccepted());
                QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
                QApplication::sendEvent(&h_->window, &drop);
                break;
            }
            case Command::DirectOpen:
                directOpenDefaultUnitData();
                break;
            case Command::CloseData:
                h_->window.menus().closeData->trigger();
                break;
        }
    }

    void directOpenDefaultUnitData() {
        QVERIFY(runModal(h_->window.menus().directOpen, [](QDialog& dialog) {
            control<QListWidget>(dialog, "archiveSlotList")->setCurrentRow(0);
            QTest::mouseClick(control<QPushButton>(dialog, "extractButton"), Qt::LeftButton);
        }));
    }

    // Whether `command` did what it does when nothing is in the way.
    bool wentOn(Command command) const {
        switch (command) {
            case Command::CloseData:
                return !h_->document.isLoaded &&
                       h_->window.windowTitle() == QString("Tarnwick v3.0 - [NONE]");
            case Command::DirectOpen:
                return h_->document.kind == model::DocumentKind::UnitData &&
                       h_->document.fileName.empty();
            default:
                return h_->document.kind == model::DocumentKind::UnitData &&
                       QString::fromStdString(h_->document.fileName) == other_;
        }
    }

    Shown shown() const {
        return {files::writeDocument(h_->document), h_->document.fileName, h_->window.windowTitle(),
                undoItem()->text(), box("hitPointsBox")->text()};
    }
    std::uint32_t savedHitPoints() const {
        return scenarioFrom(saved()).unitData.get(model::unitfields::hitPoints, 0);
    }
    QAction* undoItem() const { return h_->window.menus().undo; }

    const Bytes original_ = files::writeScenario(demo::demoScenario());
    const QString other_ = dir_.filePath("other.udta");
};

TARNWICK_UI_TEST_MAIN(UnsavedEditsTest)
#include "UnsavedEditsTest.moc"
