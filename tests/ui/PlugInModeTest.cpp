#include <memory>

#include <QPushButton>

#include "DemoScenario.h"
#include "SharedBlockOwner.h"
#include "UiTestSupport.h"
#include "core/files/Scenario.h"
#include "core/model/FieldDescriptor.h"
#include "core/plugin/HostBlock.h"
#include "core/plugin/SharedBlock.h"
#include "platform/FileStore.h"

// Plug-in mode on the real window, against a block this test makes as a host would, under a name
// of its own. The host handle is 0: the notifications are tested end to end with tarnwick-host.
using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;
using ui::Answer;

namespace {
using Bytes = std::vector<std::uint8_t>;
const QString kQuestion = "Do you wish to save changes before quitting?";
const QString kHostGone =
    "Error: Cannot communicate with Marrowby. The host's shared block is gone; nothing was "
    "written back.\nThe edits are still here: \"Save As...\" writes them to a file.";
constexpr int kEditedUnit = 3;
constexpr std::uint32_t kEditedHitPoints = 4321;
}  // namespace

class PlugInModeTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(dir_.isValid());
        scenario_ = demo::demoScenario();
    }

    void cleanup() {
        h_.reset();
        host_.reset();
        QVERIFY(!QFileInfo::exists(QString::fromStdString("/dev/shm" + testBlockName())));
    }

    void startShowsTheHostsScenarioWithTheFileItemsFixed_data() {
        QTest::addColumn<int>("unitWord");
        QTest::addColumn<int>("upgradeWord");
        QTest::addColumn<bool>("unitChecked");
        QTest::addColumn<bool>("upgradeChecked");
        QTest::addColumn<bool>("restrictions");
        QTest::newRow("unit default 1") << 1 << 0x0100 << true << false << true;
        QTest::newRow("upgrade default low byte") << 2 << 0x0001 << false << true << false;
    }

    void startShowsTheHostsScenarioWithTheFileItemsFixed() {
        QFETCH(int, unitWord);
        QFETCH(int, upgradeWord);
        QFETCH(bool, restrictions);
        scenario_.setHasRestrictions(restrictions);
        scenario_.unitData.set(uf::useDefault, 0, static_cast<std::uint32_t>(unitWord));
        scenario_.upgrades.set(model::upgradefields::useDefault, 0,
                               static_cast<std::uint32_t>(upgradeWord));
        startWithHost();
        QVERIFY(h_->window.isPlugInMode());
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [Plug-in]"));

        const ui::MainMenus& m = h_->window.menus();
        QCOMPARE(m.save->text(), QString("Save and Exit"));
        QCOMPARE(m.restrictionsButton->isEnabled(), restrictions);
        // Opening the menus runs their rules; the items fixed at start stay as they are.
        for (QMenu* menu : {m.file, m.pudOptions, m.edit, m.restrictionsMenu, m.exportMenu}) {
            openMenu(menu);
        }
        for (QAction* item : {m.openButton, m.open, m.recentMenu->menuAction(), m.directOpen,
                              m.saveAs, m.closeData, m.mapProperties, m.playerProperties,
                              m.startingResources}) {
            QVERIFY2(!item->isEnabled(), qPrintable(item->text()));
        }
        // Nor does a file dropped on the window replace the host's scenario.
        QVERIFY(!h_->window.acceptDrops());
        const QString dropped = dir_.filePath("dropped.pud");
        platform::saveWholeFile(dropped, files::writeScenario(demo::demoScenario()));
        h_->window.openFile(dropped);
        QVERIFY(h_->prompts.shown.empty());
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [Plug-in]"));
        for (QAction* item : {m.save, m.saveButton, m.exit, m.editUpgrades, m.copyUnit}) {
            QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        }
        QVERIFY(m.pudOptions->menuAction()->isVisible());
        QFETCH(bool, unitChecked);
        QFETCH(bool, upgradeChecked);
        QCOMPARE(m.useDefaultUnitData->isChecked(), unitChecked);
        QCOMPARE(m.useDefaultUpgrades->isChecked(), upgradeChecked);

        QCOMPARE(list()->currentRow(), 0);
        QCOMPARE(box("hitPointsBox")->text(),
                 QString::number(scenario_.unitData.get(uf::hitPoints, 0)));
        // The whole scenario came over: written as a file, it is the host's, byte for byte.
        QCOMPARE(files::writeScenario(h_->document), files::writeScenario(scenario_));
    }

    void saveAndExitGivesTheHostTheEditAndEnds_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Save and Exit item") << "item";
        QTest::newRow("Save button") << "button";
        QTest::newRow("Yes in the exit question") << "exit";
    }

    void saveAndExitGivesTheHostTheEditAndEnds() {
        QFETCH(QString, how);
        startWithHost();
        editHitPoints();
        const ui::MainMenus& m = h_->window.menus();
        if (how == "item") {
            m.save->trigger();
        } else if (how == "button") {
            m.saveButton->trigger();
        } else {
            h_->prompts.answers = {Answer::Yes};
            m.exit->trigger();
        }
        QCOMPARE(h_->prompts.texts(), how == "exit" ? QStringList{kQuestion} : QStringList{});
        QVERIFY(h_->window.endRequested());
        QVERIFY(!h_->window.isVisible());
        QVERIFY(!h_->plugInLink.isOpen());
        QCOMPARE(hostBlock(), editedBlock());
    }

    void noInTheExitQuestionLeavesTheBlockAsTheHostWroteIt() {
        startWithHost();
        editHitPoints();
        h_->prompts.answers = {Answer::No};
        h_->window.menus().exitButton->trigger();
        QVERIFY(h_->window.endRequested());
        QVERIFY(!h_->plugInLink.isOpen());
        QCOMPARE(hostBlock(), original_);
    }

    void aHostGoneBeforeSaveAndExitLeavesTheWindowWithItsEdits() {
        startWithHost();
        editHitPoints();
        host_->unlinkName();  // the host has ended and its block's name with it
        const ui::MainMenus& m = h_->window.menus();
        m.save->trigger();
        QCOMPARE(h_->prompts.texts(), QStringList{kHostGone});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
        QVERIFY(!h_->window.endRequested());
        QVERIFY(h_->window.isVisible());
        QCOMPARE(box("hitPointsBox")->text(), QString::number(kEditedHitPoints));
        QVERIFY(m.saveAs->isEnabled());

        // Yes in the exit question fails the same way, and the window stays again.
        h_->prompts.answers = {Answer::Yes};
        m.exit->trigger();
        QCOMPARE(h_->prompts.texts(), (QStringList{kHostGone, kQuestion, kHostGone}));
        QVERIFY(!h_->window.endRequested());

        // Save As keeps the edits in a file, and the window stays in plug-in mode.
        const QString kept = dir_.filePath("kept.pud");
        h_->prompts.filesToSave = {kept};
        m.saveAs->trigger();
        model::Document edited = scenario_;
        edited.unitData.set(uf::hitPoints, kEditedUnit, kEditedHitPoints);
        QCOMPARE(platform::readWholeFile(kept), files::writeScenario(edited));
        QCOMPARE(h_->window.windowTitle(), QString("Tarnwick v3.0 - [Plug-in]"));

        // Nothing reached the block; leaving now releases it without a word.
        QCOMPARE(hostBlock(), original_);
        h_->prompts.answers = {Answer::No};
        m.exit->trigger();
        QVERIFY(h_->window.endRequested());
        QVERIFY(!h_->plugInLink.isOpen());
        QCOMPARE(h_->prompts.shown.size(), std::size_t{4});
    }

    void directSaveWarnsThatTheRegionMapMayBeOld() {
        startWithHost();
        QVERIFY(runModal(h_->window.menus().directSave, [&](QDialog& dialog) {
            QCOMPARE(dialog.objectName(), QString("directSaveDialog"));
            QCOMPARE(h_->prompts.texts(),
                     QStringList{"WARNING! The REGM will not be properly saved unless you clicked "
                                 "SAVE in marrowby before loading this plugin!"});
            QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
            QTest::mouseClick(control<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        }));
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
    }

  private:
    // The host makes its block from the scenario, then starts the editor with the switch.
    void startWithHost() {
        host_ = std::make_unique<hostsim::SharedBlockOwner>(
            testBlockName(), plugin::blockFromScenario(scenario_, 0));
        original_ = hostBlock();
        h_ = std::make_unique<MainWindowHarness>();
        h_->settings.setWar2Dir(demoGameDirectory());
        h_->window.startUp({"-MarrowbyPlugIn"});
        h_->window.show();
    }

    // A click on the unit's row, then its hit points typed in.
    void editHitPoints() {
        QListWidget* units = list();
        const QRect row = units->visualItemRect(units->item(kEditedUnit));
        QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(units->currentRow(), kEditedUnit);
        QLineEdit* hitPoints = box("hitPointsBox");
        hitPoints->selectAll();
        QTest::keyClicks(hitPoints, QString::number(kEditedHitPoints));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, kEditedUnit), kEditedHitPoints);
    }

    Bytes hostBlock() {
        const auto bytes = host_->bytes();
        return Bytes(bytes.begin(), bytes.end());
    }

    // The host's block with the one edit, and nothing else, written back.
    Bytes editedBlock() const {
        Bytes block = original_;
        const auto unitData = std::span(block).subspan(
            plugin::blockField(plugin::BlockField::UnitData).offset, model::UnitDataTable::kSize);
        model::writeField(unitData, uf::hitPoints, kEditedUnit, kEditedHitPoints);
        return block;
    }

    QTemporaryDir dir_;
    model::Document scenario_;
    std::unique_ptr<hostsim::SharedBlockOwner> host_;
    Bytes original_;
};

TARNWICK_UI_TEST_MAIN(PlugInModeTest)
#include "PlugInModeTest.moc"
