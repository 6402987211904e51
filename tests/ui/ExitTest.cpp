#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/files/DocumentFiles.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using model::DocumentKind;
using ui::Answer;

namespace {
const QString kQuestion = "Do you wish to save changes before quitting?";
}  // namespace

class ExitTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        QVERIFY(dir_.isValid());
    }

    void cancelKeepsTheProgramRunning() {
        h_->prompts.answers = {Answer::Cancel};
        h_->window.menus().exit->trigger();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
        const auto& question = h_->prompts.shown[0];
        QCOMPARE(question.caption, QString("Save?"));
        QCOMPARE(question.text, kQuestion);
        QCOMPARE(question.icon, ui::MessageIcon::Question);
        QCOMPARE(question.buttons, ui::Buttons::YesNoCancel);
        QVERIFY(h_->window.isVisible());
        QVERIFY(!h_->window.endRequested());
    }

    void ctrlXAndCtrlQBothAskBeforeEnding() {
        h_->window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h_->window));
        for (const Qt::Key key : {Qt::Key_X, Qt::Key_Q}) {
            h_->prompts.shown.clear();
            h_->prompts.answers = {Answer::Cancel};
            QTest::keyClick(&h_->window, key, Qt::ControlModifier);
            QCOMPARE(h_->prompts.texts(), QStringList{kQuestion});
            QVERIFY(!h_->window.endRequested());
        }
    }

    void noEndsWithoutSavingAndReleasesTheMap() {
        loadScenario(path("kept.pud"));
        h_->document.unitData.set(model::unitfields::hitPoints, 0, 999);
        h_->prompts.answers = {Answer::No};
        h_->window.menus().exitButton->trigger();
        QVERIFY(h_->window.endRequested());
        QVERIFY(!h_->window.isVisible());
        QVERIFY(h_->document.blob(model::SectionId::TileMap).empty());
        QCOMPARE(platform::readWholeFile(path("kept.pud")), scenarioBytes());
    }

    void yesSavesThenEnds() {
        loadScenario(path("saved.pud"));
        h_->document.unitData.set(model::unitfields::hitPoints, 0, 999);
        h_->prompts.answers = {Answer::Yes};
        h_->window.menus().exit->trigger();
        QVERIFY(h_->window.endRequested());
        QCOMPARE(h_->prompts.texts(), QStringList{kQuestion});
        // The saved scenario opens again and holds the edit.
        const model::Document reopened = scenarioFrom(platform::readWholeFile(path("saved.pud")));
        QCOMPARE(reopened.unitData.get(model::unitfields::hitPoints, 0), 999u);
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - saved.pud - [PUD]"));
    }

    void yesWithNothingLoadedWarnsAndEnds() {
        h_->prompts.answers = {Answer::Yes};
        h_->window.menus().exit->trigger();
        QCOMPARE(h_->prompts.texts(), (QStringList{kQuestion, kNothingLoaded}));
        QCOMPARE(h_->prompts.shown[1].caption, QString("Warning"));
        QVERIFY(h_->window.endRequested());
    }

    void yesWithAFailedSaveKeepsTheWindowAndTheEdits() {
        platform::saveWholeFile(path("file"), std::vector<std::uint8_t>{1});
        loadScenario(path("file") + "/inside.pud");
        h_->document.unitData.set(model::unitfields::hitPoints, 0, 999);
        h_->prompts.answers = {Answer::Yes};
        h_->window.menus().exit->trigger();
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{kQuestion, "Error Saving File!\nNot a directory"}));
        QCOMPARE(h_->prompts.shown[1].caption, QString("Error"));
        QVERIFY(!h_->window.endRequested());
        QVERIFY(h_->window.isVisible());
        QCOMPARE(h_->document.unitData.get(model::unitfields::hitPoints, 0), 999u);
    }

    void yesWithoutAFileNameAsksWhereAndCancellingStillEnds() {
        loadScenario({});
        h_->prompts.answers = {Answer::Yes};
        h_->window.menus().exit->trigger();
        QCOMPARE(h_->prompts.saveChoosers.size(), std::size_t{1});
        QCOMPARE(h_->prompts.saveChoosers[0].filter,
                 QString("Warcraft II Scenario File(*.pud)|*.pud"));
        QCOMPARE(h_->prompts.saveChoosers[0].defaultExtension, QString("pud"));
        QVERIFY(h_->window.endRequested());
    }

    void closeBoxAsksTheSameQuestion() {
        h_->prompts.answers = {Answer::Cancel, Answer::No};
        QVERIFY(!h_->window.close());
        QVERIFY(h_->window.isVisible());
        QVERIFY(h_->window.close());
        QVERIFY(!h_->window.isVisible());
        QCOMPARE(h_->prompts.texts(), (QStringList{kQuestion, kQuestion}));
    }

    void saveAsMovesTheDocumentToTheNewName() {
        loadScenario(path("original.pud"));
        h_->prompts.filesToSave = {path("copy.pud")};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - copy.pud - [PUD]"));
        QCOMPARE(platform::readWholeFile(path("copy.pud")), scenarioBytes());

        h_->document.unitData.set(model::unitfields::armor, 1, 7);
        h_->window.menus().save->trigger();
        const model::Document reopened = scenarioFrom(platform::readWholeFile(path("copy.pud")));
        QCOMPARE(reopened.unitData.get(model::unitfields::armor, 1), 7u);
        QCOMPARE(platform::readWholeFile(path("original.pud")), scenarioBytes());
    }

    void saveAsFailureIsReportedTwice() {
        platform::saveWholeFile(path("file"), std::vector<std::uint8_t>{1});
        loadScenario(path("a.pud"));
        h_->prompts.filesToSave = {path("file") + "/b.pud"};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"Error Saving File!\nNot a directory", "Error Saving."}));
        QCOMPARE(h_->document.fileName, path("a.pud").toStdString());
    }

    void saveAsFilterFollowsTheKind() {
        QCOMPARE(h_->window.saveCommands().saveAsChoice().filterIndex, 4);
        QCOMPARE(h_->window.saveCommands().saveAsChoice().defaultExtension, QString(".udt"));
        h_->document.isLoaded = true;
        h_->document.kind = DocumentKind::UnitData;
        h_->window.menus().saveAs->trigger();
        h_->document.kind = DocumentKind::UpgradeData;
        h_->window.menus().saveAs->trigger();
        h_->document.kind = DocumentKind::None;
        h_->window.menus().saveAs->trigger();
        const auto& choosers = h_->prompts.saveChoosers;
        QCOMPARE(choosers.size(), std::size_t{3});
        QCOMPARE(choosers[0].filter, QString("Warcraft II UDTA(*.udta)|*.udta"));
        QCOMPARE(choosers[0].defaultExtension, QString("udt"));
        QCOMPARE(choosers[1].filter, QString("Warcraft II UDTA(*.ugrd)|*.ugrd"));
        QCOMPARE(choosers[1].defaultExtension, QString("ugd"));
        QCOMPARE(choosers[2].filter, choosers[1].filter);
    }

    void saveWithNothingLoadedWarnsAndSaveAsDoesNothing() {
        h_->window.menus().saveButton->trigger();
        QCOMPARE(h_->prompts.texts(), QStringList{kNothingLoaded});
        h_->window.menus().saveAs->trigger();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
        QVERIFY(h_->prompts.saveChoosers.empty());
    }

    void standAloneKindsSaveInTheirOwnForm() {
        h_->document.isLoaded = true;
        h_->document.kind = DocumentKind::UpgradeData;
        h_->document.fileName = path("u.ugd").toStdString();
        h_->window.menus().save->trigger();
        QCOMPARE(platform::readWholeFile(path("u.ugd")).size(), std::size_t{780});
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - u.ugd - [UGRD]"));

        h_->document.kind = DocumentKind::UnitData;
        h_->document.hasExpansionGfx = true;
        h_->document.fileName = path("d.udt").toStdString();
        h_->window.menus().save->trigger();
        QCOMPARE(platform::readWholeFile(path("d.udt")).size(), std::size_t{5948});
        // Written files are named without their folder, whatever the kind.
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - d.udt - [UDTA]"));
        h_->document.hasExpansionGfx = false;
        h_->prompts.filesToSave = {path("e.udt")};
        h_->window.menus().saveAs->trigger();
        QCOMPARE(platform::readWholeFile(path("e.udt")).size(), std::size_t{5694});
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - e.udt - [UDTA]"));

        h_->document.fileName = path("file").toStdString() + "/x.udt";
        platform::saveWholeFile(path("file"), std::vector<std::uint8_t>{1});
        h_->window.menus().save->trigger();
        QCOMPARE(h_->prompts.texts(),
                 QStringList{"Error Saving UDTA:\rError Opening File!\nNot a directory"});
    }

  private:
    QString path(const QString& name) const { return dir_.filePath(name); }

    static std::vector<std::uint8_t> scenarioBytes() { return chainOf(typicalScenarioSections()); }

    // A scenario read as Open would, with `fileName` as its name (empty: never saved).
    void loadScenario(const QString& fileName) {
        if (!fileName.isEmpty() && !fileName.contains("/file/")) {
            platform::saveWholeFile(fileName, scenarioBytes());
        }
        h_->document = files::readDocument({}, scenarioBytes(), fileName.toStdString());
    }

    QTemporaryDir dir_;
};

TARNWICK_UI_TEST_MAIN(ExitTest)
#include "ExitTest.moc"
