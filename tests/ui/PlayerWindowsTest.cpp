#include <QPushButton>

#include "ArchiveBuilder.h"
#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "ui/scenario/ExpansionGraphicsDialog.h"
#include "ui/scenario/PlayerPropertiesWindow.h"
#include "ui/scenario/StartingResourcesWindow.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

const Bytes kOwners = {5, 0, 1, 2, 3, 4, 6, 7, 9, 9, 9, 9, 9, 9, 9, 9};
const Bytes kSides = {0, 1, 2, 3, 1, 0, 1, 0, 7, 7, 7, 7, 7, 7, 7, 7};
const Bytes kComputerPlayers = {0, 1, 2, 3, 2, 1, 0, 0, 8, 8, 8, 8, 8, 8, 8, 8};

// 16 slots: slot s holds base + s.
Bytes amounts(std::uint16_t base) {
    Bytes out;
    for (std::uint16_t slot = 0; slot < 16; ++slot) {
        const Bytes word = littleEndian({static_cast<std::uint16_t>(base + slot)});
        out.insert(out.end(), word.begin(), word.end());
    }
    return out;
}

const Bytes kPlayersScenario = typicalScenarioWith({{"OWNR", kOwners},
                                                    {"SIDE", kSides},
                                                    {"AIPL", kComputerPlayers},
                                                    {"SGLD", amounts(1000)},
                                                    {"SLBR", amounts(500)},
                                                    {"SOIL", amounts(65000)}});

}  // namespace

class PlayerWindowsTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void listsShowTheCodesByTheirMapping() {
        open(kPlayersScenario);
        h_->window.menus().playerProperties->trigger();
        QCOMPARE(players().windowTitle(), QString("Player Properties"));
        QCOMPARE(itemsOf("controllerList0"), (QStringList{"Neutral", "Nobody", "Computer", "Human",
                                                          "Rescue(Passive)", "Rescue(Active)"}));
        QCOMPARE(itemsOf("raceList0"), (QStringList{"Human", "Orc", "Neutral"}));
        QCOMPARE(itemsOf("computerPlayerList0"),
                 (QStringList{"Land Attack", "Sea Attack", "Air Attack"}));
        QCOMPARE(column("controllerList"),
                 (QStringList{"Human", "", "", "Neutral", "Nobody", "Computer", "Rescue(Passive)",
                              "Rescue(Active)"}));
        QCOMPARE(column("raceList"),
                 (QStringList{"Human", "Orc", "Neutral", "", "Orc", "Human", "Orc", "Human"}));
        QCOMPARE(column("computerPlayerList"),
                 (QStringList{"Land Attack", "Sea Attack", "Air Attack", "", "Air Attack",
                              "Sea Attack", "Land Attack", "Land Attack"}));
    }

    void aPickIsStoredAtOnceAndNothingElseChanges() {
        open(kPlayersScenario);
        h_->window.menus().playerProperties->trigger();
        QTest::keyClick(combo("controllerList0"), Qt::Key_Up);  // "Human" to "Computer"
        QCOMPARE(combo("controllerList0")->currentText(), QString("Computer"));
        QTest::keyClick(combo("raceList7"), Qt::Key_Down);
        QTest::keyClick(combo("computerPlayerList0"), Qt::Key_End);
        QTest::mouseClick(child<QPushButton>("playerPropertiesOkButton"), Qt::LeftButton);
        QVERIFY(!players().isVisible());
        h_->window.menus().playerProperties->trigger();  // showing again stores nothing
        save();
        Bytes owners = kOwners;
        owners[0] = 4;
        Bytes sides = kSides;
        sides[7] = 1;
        Bytes computers = kComputerPlayers;
        computers[0] = 2;
        QCOMPARE(savedSection("OWNR"), std::optional(owners));
        QCOMPARE(savedSection("SIDE"), std::optional(sides));
        QCOMPARE(savedSection("AIPL"), std::optional(computers));
    }

    void missingSectionsShowEmptyAndDisabled() {
        const Bytes file = openAndSave(typicalScenarioWith({}, {"SIDE", "SOIL"}));
        h_->window.menus().playerProperties->trigger();
        QCOMPARE(column("raceList"), QStringList(8, QString()));
        QVERIFY(!combo("raceList3")->isEnabled());
        QVERIFY(combo("controllerList3")->isEnabled());
        h_->window.menus().startingResources->trigger();
        QCOMPARE(box("oilBox0")->text(), QString());
        QVERIFY(!box("oilBox0")->isEnabled());
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QVERIFY(!resources().isVisible());
        save();
        QCOMPARE(saved(), file);
    }

    void duplicateThenCancelChangesNothingAndThenOkCopiesPlayerOne() {
        const Bytes file = openAndSave(kPlayersScenario);
        h_->window.menus().startingResources->trigger();
        QCOMPARE(resources().windowTitle(), QString("Starting Resources"));
        QCOMPARE(box("lumberBox3")->text(), QString("503"));
        QCOMPARE(box("oilBox7")->text(), QString("65007"));
        QTest::mouseClick(child<QPushButton>("duplicateButton"), Qt::LeftButton);
        QCOMPARE(box("goldBox5")->text(), QString("1000"));
        QTest::mouseClick(child<QPushButton>("resourcesCancelButton"), Qt::LeftButton);
        QVERIFY(!resources().isVisible());
        save();
        QCOMPARE(saved(), file);

        h_->window.menus().startingResources->trigger();
        QCOMPARE(box("goldBox5")->text(), QString("1005"));
        type("goldBox0", "2500");
        QTest::mouseClick(child<QPushButton>("duplicateButton"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QVERIFY(!resources().isVisible());
        save();
        Bytes gold = amounts(1000);
        Bytes lumber = amounts(500);
        Bytes oil = amounts(65000);
        for (std::size_t at = 0; at < 16; at += 2) {
            gold[at] = 0xC4;  // 2500
            gold[at + 1] = 0x09;
            lumber[at] = lumber[0];
            std::copy_n(oil.begin(), 2, oil.begin() + static_cast<std::ptrdiff_t>(at));
        }
        QCOMPARE(savedSection("SGLD"), std::optional(gold));
        QCOMPARE(savedSection("SLBR"), std::optional(lumber));
        QCOMPARE(savedSection("SOIL"), std::optional(oil));
    }

    void aBadBoxIsNamedFocusedAndNothingIsStored() {
        const Bytes file = openAndSave(kPlayersScenario);
        h_->window.menus().startingResources->trigger();
        QApplication::setActiveWindow(&resources());
        const QString lumber = box("lumberBox2")->text();
        const QString oil = box("oilBox4")->text();
        type("goldBox0", "1");
        type("lumberBox2", "70000");
        type("oilBox4", "-5");
        type("goldBox7", "12a");
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box("lumberBox2"));
        QCOMPARE(box("lumberBox2")->text(), lumber);  // what the scenario holds
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box("oilBox4"));
        QCOMPARE(box("oilBox4")->text(), oil);
        QTest::mouseClick(child<QPushButton>("resourcesOkButton"), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), box("goldBox7"));
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"70000 does not fit Lumber of player 3 (0 to 65535).",
                              "-5 does not fit Oil of player 5 (0 to 65535).",
                              "Gold of player 8: '12a' is not a whole number from 0 to 65535."}));
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
        QCOMPARE(h_->prompts.shown[2].caption, QString("Error"));
        QVERIFY(resources().isVisible());
        save();
        QCOMPARE(saved(), file);
    }

    void udtaInfoNeedsALoadedDocument() {
        h_->window.menus().udtaStyle->trigger();
        QCOMPARE(h_->prompts.texts(), QStringList{kNoFileLoaded});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
    }

    void addAndRemoveExpansionGraphics() {
        open(typicalScenarioWith({}));
        inExpansionDialog([this] {
            QCOMPARE(expansion().windowTitle(), QString("UDTA Info"));
            QVERIFY(!present()->isChecked());
            QVERIFY(!removeButton()->isEnabled());
            QTest::mouseClick(present(), Qt::LeftButton);  // only shows the document
            QVERIFY(!present()->isChecked());
            QTest::mouseClick(addButton(), Qt::LeftButton);
            QVERIFY(present()->isChecked());
            QVERIFY(!addButton()->isEnabled());
            QVERIFY(removeButton()->isEnabled());
        });
        save();
        QCOMPARE(savedSection("UDTA")->size(), std::size_t{5950});
        QCOMPARE(h_->document.gfxSwamp, demo::demoScenario().gfxSwamp);  // entry 472's array

        inExpansionDialog([this] {
            QTest::mouseClick(removeButton(), Qt::LeftButton);
            QVERIFY(!present()->isChecked());
            QVERIFY(addButton()->isEnabled());
        });
        save();
        QCOMPARE(savedSection("UDTA")->size(), std::size_t{5696});
        QVERIFY(h_->prompts.shown.empty());
    }

    void escapeClosesWithoutAChangeAndTheButtonTakesItsKey() {
        const Bytes file = openAndSave(typicalScenarioWith({}));
        const int steps = h_->window.history().stack().count();
        QVERIFY(runModal(h_->window.menus().udtaStyle, [this](QDialog& dialog) {
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }));
        QVERIFY(!h_->document.hasExpansionGfx);
        QCOMPARE(h_->window.history().stack().count(), steps);
        save();
        QCOMPARE(saved(), file);

        inExpansionDialog([this] {
            addButton()->setFocus();
            QTest::keyClick(addButton(), Qt::Key_Space);
            QVERIFY(present()->isChecked());
        });
        QVERIFY(h_->document.hasExpansionGfx);
    }

    void aShortOrMissingDefaultEntryChangesNothing() {
        QTemporaryDir game;
        QDir(game.path()).mkpath("data");
        platform::saveWholeFile(game.filePath("data/maindat.war"),
                                ArchiveBuilder().at(472, patternBytes(5947, 2), true).bytes());
        h_->startWithGame(game.path());
        const Bytes file = openAndSave(typicalScenarioWith({}));
        h_->prompts.shown.clear();
        inExpansionDialog([this] { QTest::mouseClick(addButton(), Qt::LeftButton); });
        QFile::remove(game.filePath("data/maindat.war"));
        inExpansionDialog([this] { QTest::mouseClick(addButton(), Qt::LeftButton); });
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"ERROR! Default Expansion UDTA corrupted!",
                              "A fatal error has occured during extraction! Error Opening "
                              "MAINDAT.WAR",
                              "ERROR! Default Expansion UDTA corrupted!"}));
        save();
        QCOMPARE(saved(), file);
    }

  private:
    ui::PlayerPropertiesWindow& players() {
        return *h_->window.findChild<ui::PlayerPropertiesWindow*>();
    }
    ui::StartingResourcesWindow& resources() {
        return *h_->window.findChild<ui::StartingResourcesWindow*>();
    }
    ui::ExpansionGraphicsDialog& expansion() {
        return *h_->window.findChild<ui::ExpansionGraphicsDialog*>();
    }
    QCheckBox* present() const { return check("expansionPresentBox"); }
    QPushButton* addButton() const { return child<QPushButton>("addExpansionButton"); }
    QPushButton* removeButton() const { return child<QPushButton>("removeExpansionButton"); }

    // Opens "UDTA Info" from the menu, runs `steps` in it and closes it with "OK".
    template <typename Steps>
    void inExpansionDialog(Steps steps) {
        QVERIFY(runModal(h_->window.menus().udtaStyle, [&](QDialog&) {
            steps();
            QTest::mouseClick(child<QPushButton>("expansionGraphicsOkButton"), Qt::LeftButton);
        }));
    }

    QStringList itemsOf(const QString& list) const {
        QStringList items;
        for (int i = 0; i < combo(list)->count(); ++i) {
            items << combo(list)->itemText(i);
        }
        return items;
    }
    // The choices shown for players 1 to 8.
    QStringList column(const QString& prefix) const {
        QStringList shown;
        for (int slot = 0; slot < 8; ++slot) {
            shown << combo(prefix + QString::number(slot))->currentText();
        }
        return shown;
    }
};

TARNWICK_UI_TEST_MAIN(PlayerWindowsTest)
#include "PlayerWindowsTest.moc"
