#include <QComboBox>
#include <QListWidget>
#include <QSlider>
#include <QTabWidget>

#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

class UnitEditingTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        startShownWithGame();
        units_ = {};
        units_.set(uf::hitPoints, 0, 12345);
        units_.set(uf::sightRange, 0, 12);
        units_.set(uf::goldCost, 0, 25);
        units_.set(uf::magic, 0, 2);
        units_.set(uf::canTarget, 0, 0x0D);
        units_.set(uf::flags, 0, 0x3);  // land and air
        units_.set(uf::missile, 0, 30);
        units_.set(uf::decayRate, 0, 10);
        units_.set(uf::rightClickAction, 57, 3);
        units_.set(uf::priority, 1, 200);
        units_.set(uf::gfxGeneral, 0, 0x8000 | 0x2000 | 3042);  // repeat and a flag of no box
        units_.set(uf::gfxSummer, 0, 1007);
        units_.set(uf::gfxGroup, 0, 9);
    }

    void beforeAnyLoadNothingIsShown() {
        QVERIFY(contents("generalContent")->isHidden());
        QVERIFY(contents("flagsContent")->isHidden());
        QVERIFY(!contents("graphicsContent")->isEnabled());
        list()->setCurrentRow(3);
        QVERIFY(contents("generalContent")->isHidden());
        QVERIFY(h_->prompts.shown.empty());
    }

    void selectingShowsTheStoredValuesAndChangesNothing() {
        open();
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(!contents("generalContent")->isHidden());
        QCOMPARE(box("hitPointsBox")->text(), QString("12345"));
        QCOMPARE(box("sightRangeBox")->text(), QString("12"));
        QCOMPARE(box("goldBox")->text(), QString("250"));
        QCOMPARE(label("decayLabel")->text(), QString("Decays in 60 seconds."));
        QCOMPARE(combo("missileList")->currentIndex(), -1);
        QVERIFY(check("magicBox")->isChecked());
        QVERIFY(check("targetLandBox")->isChecked());
        QVERIFY(!check("targetSeaBox")->isChecked());
        QVERIFY(check("targetAirBox")->isChecked());
        QVERIFY(check("flag0Box")->isChecked());
        QVERIFY(check("flag1Box")->isChecked());
        QVERIFY(!check("flag3Box")->isChecked());

        const auto& shown = h_->document.unitData;
        QCOMPARE(shown.get(uf::hitPoints, 0), 12345u);
        QCOMPARE(shown.get(uf::sightRange, 0), 12u);
        QCOMPARE(shown.get(uf::goldCost, 0), 25u);
        QCOMPARE(shown.get(uf::flags, 0), 0x3u);
        // Bytes the boxes cannot show as stored stay as they are until the user changes them.
        QCOMPARE(shown.get(uf::canTarget, 0), 0x0Du);
        QCOMPARE(shown.get(uf::magic, 0), 2u);
        select(1);
        select(0);
        h_->window.saveDocument();
        QCOMPARE(platform::readWholeFile(dir_.filePath("units.pud")), scenarioWithUnits(units_));
        // The user's change rewrites the target byte whole from the three boxes.
        check("targetSeaBox")->click();
        QCOMPARE(shown.get(uf::canTarget, 0), 0x07u);
    }

    // A number the field cannot hold is refused with one warning; the box stores as it is
    // typed into, so the whole run of typing is taken back and the box shows the stored value.
    void typedNumbersOutsideTheirFieldAreRefused() {
        units_.set(uf::armor, 0, 7);
        open();
        const auto& units = h_->document.unitData;
        const model::UnitDataTable opened = units;
        const int steps = h_->window.history().stack().count();
        type("armorBox", "300");  // 3 and 30 are stored on the way
        QCOMPARE(h_->prompts.texts(), QStringList{"300 does not fit Armor (0 to 255)."});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
        QCOMPARE(box("armorBox")->text(), QString("7"));
        type("goldBox", "2560");  // 2, 25 and 256 on the way: 0, 2 and 25 tens
        type("lumberBox", "-1");
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{
                     "300 does not fit Armor (0 to 255).", "2560 does not fit Gold (0 to 2550).",
                     "'-' is not a valid integer value.", "-1 does not fit Lumber (0 to 2550)."}));
        QCOMPARE(box("goldBox")->text(), QString("250"));
        QCOMPARE(box("lumberBox")->text(), QString("0"));
        QVERIFY(units.bytes == opened.bytes);
        QCOMPARE(h_->window.history().stack().count(), steps);

        // In range: a cost is kept in tens, as ever.
        type("goldBox", "259");
        QCOMPARE(units.get(uf::goldCost, 0), 25u);
        type("lumberBox", "2550");
        QCOMPARE(units.get(uf::lumberCost, 0), 255u);
        type("boxWidthBox", "31");
        type("boxHeightBox", "47");
        QCOMPARE(units.get(uf::boxSize, 0, 0), 31u);
        QCOMPARE(units.get(uf::boxSize, 0, 1), 47u);
        select(1);
        select(0);
        QCOMPARE(box("goldBox")->text(), QString("250"));
    }

    void typingLimitsApplyToTypingOnly() {
        open();
        type("hitPointsBox", "123456");
        QCOMPARE(box("hitPointsBox")->text(), QString("1234"));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 1234u);
        type("sightRangeBox", "42");
        QCOMPARE(box("sightRangeBox")->text(), QString("4"));
    }

    void textThatIsNoNumberReportsAndStoresNothing() {
        open();
        box("hitPointsBox")->selectAll();
        QTest::keyClick(box("hitPointsBox"), Qt::Key_Backspace);
        QCOMPARE(h_->prompts.texts(), QStringList{"'' is not a valid integer value."});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
        QCOMPARE(h_->prompts.shown[0].icon, ui::MessageIcon::Error);
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 12345u);
        QTest::keyClicks(box("hitPointsBox"), "-");
        QCOMPARE(h_->prompts.texts(), (QStringList{"'' is not a valid integer value.",
                                                   "'-' is not a valid integer value."}));
        // A plus sign is taken, but not before another sign.
        box("hitPointsBox")->selectAll();
        h_->prompts.shown.clear();
        QTest::keyClicks(box("hitPointsBox"), "+-1");
        QCOMPARE(h_->prompts.texts(), (QStringList{"'+' is not a valid integer value.",
                                                   "'+-' is not a valid integer value.",
                                                   "'+-1' is not a valid integer value."}));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 12345u);
        box("hitPointsBox")->selectAll();
        QTest::keyClicks(box("hitPointsBox"), "+7");
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 7u);
    }

    void damageAndDecayLabels() {
        open();
        type("basicDamageBox", "9");
        type("piercingDamageBox", "5");
        QCOMPARE(label("damageRangeLabel")->text(), QString("3 to 14"));
        type("piercingDamageBox", "4");
        QCOMPARE(label("damageRangeLabel")->text(), QString("2 to 13"));
        type("decayRateBox", "0");
        QCOMPARE(label("decayLabel")->text(), QString("Never Decays"));
        type("decayRateBox", "20");
        QCOMPARE(label("decayLabel")->text(), QString("Decays in 120 seconds."));
    }

    void pickingADomainLeavesExactlyItsFlag() {
        open();
        combo("domainList")->setCurrentIndex(2);
        emit combo("domainList")->activated(2);
        QCOMPARE(h_->document.unitData.get(uf::unitType, 0), 2u);
        QCOMPARE(h_->document.unitData.get(uf::flags, 0), 0x8u);
        QVERIFY(!check("flag0Box")->isChecked());
        QVERIFY(!check("flag1Box")->isChecked());
        QVERIFY(check("flag3Box")->isChecked());
    }

    void eachFlagBoxOwnsExactlyItsBit() {
        open();
        for (unsigned bit = 0; bit < 32; ++bit) {
            QCheckBox* flag = check(QString("flag%1Box").arg(bit));
            const std::uint32_t before = h_->document.unitData.get(uf::flags, 0);
            flag->click();
            QCOMPARE(h_->document.unitData.get(uf::flags, 0), before ^ (1u << bit));
            flag->click();
            QCOMPARE(h_->document.unitData.get(uf::flags, 0), before);
        }
    }

    void checkBoxesListsAndTrackBar() {
        open();
        check("magicBox")->click();
        QCOMPARE(h_->document.unitData.get(uf::magic, 0), 0u);
        check("targetSeaBox")->click();
        QCOMPARE(h_->document.unitData.get(uf::canTarget, 0), 0x07u);
        combo("missileList")->setCurrentIndex(5);
        emit combo("missileList")->activated(5);
        QCOMPARE(h_->document.unitData.get(uf::missile, 0), 5u);
        slider("prioritySlider")->setValue(77);
        QCOMPARE(h_->document.unitData.get(uf::priority, 0), 77u);
        QCOMPARE(label("priorityValueLabel")->text(), QString("77"));
        select(1);
        QCOMPARE(slider("prioritySlider")->value(), 200);
        QCOMPARE(label("priorityValueLabel")->text(), QString("200"));
    }

    void rightClickOnlyForTheFirst58Units() {
        open();
        select(57);
        QCOMPARE(combo("rightClickList")->currentIndex(), 2);
        QVERIFY(combo("rightClickList")->isEnabled());
        combo("rightClickList")->setCurrentIndex(0);
        emit combo("rightClickList")->activated(0);
        QCOMPARE(h_->document.unitData.get(uf::rightClickAction, 57), 1u);
        select(58);
        QCOMPARE(combo("rightClickList")->currentIndex(), -1);
        QVERIFY(!combo("rightClickList")->isEnabled());
        const auto before = h_->document.unitData.bytes;
        emit combo("rightClickList")->activated(1);
        QCOMPARE(h_->document.unitData.bytes, before);
    }

    // The lists' last entries are where an off-by-one shows: "Sea", the 30th missile and
    // "Sail/Fly" (stored as 6: the action numbers start at 1).
    void theLastEntryOfEveryListIsShownAndStored() {
        units_.set(uf::unitType, 2, 2);
        units_.set(uf::missile, 2, 29);
        units_.set(uf::rightClickAction, 2, 6);
        open();
        select(2);
        QCOMPARE(combo("domainList")->currentText(), QString("Sea"));
        QCOMPARE(combo("missileList")->currentIndex(), 29);
        QCOMPARE(combo("rightClickList")->currentText(), QString("Sail/Fly"));

        select(57);
        for (const char* name : {"domainList", "missileList", "rightClickList"}) {
            QTest::keyClick(combo(name), Qt::Key_End);
        }
        QCOMPARE(h_->document.unitData.get(uf::unitType, 57), 2u);
        QCOMPARE(h_->document.unitData.get(uf::missile, 57), 29u);
        QCOMPARE(h_->document.unitData.get(uf::rightClickAction, 57), 6u);
        select(0);
        select(57);
        QCOMPARE(combo("missileList")->currentIndex(), 29);
        QCOMPARE(combo("rightClickList")->currentText(), QString("Sail/Fly"));
    }

    void groupRowsHideTheUnitPagesAndWriteNothing() {
        open();
        select(110);
        QCOMPARE(list()->currentItem()->text(), QString("Group 1"));
        QVERIFY(contents("generalContent")->isHidden());
        QVERIFY(contents("flagsContent")->isHidden());
        QCOMPARE(box("groupNumberBox")->text(), QString("0"));
        const auto before = h_->document.unitData.bytes;
        box("boxWidthBox")->setText("99");
        check("flag5Box")->click();
        QCOMPARE(h_->document.unitData.bytes, before);
    }

    void searchFindsTheFirstMatchingUnit() {
        open();
        const QStringList names = {"Footman", "Paladin", "Peasant", "Peon"};
        for (int row = 0; row < names.size(); ++row) {
            list()->item(row)->setText(names[row]);
        }
        list()->item(104)->setText("Peasant's twin");
        select(3);
        QLineEdit* search = h_->window.findChild<QLineEdit*>("searchBox");
        QList<int> rows;
        for (const char key : {'p', 'e', 'a', 's'}) {
            QTest::keyClick(search, key);
            rows << list()->currentRow();
        }
        QCOMPARE(rows, (QList<int>{0, 1, 2, 2}));
        QCOMPARE(search->text(), QString("peas"));
        QCOMPARE(box("hitPointsBox")->text(), QString("0"));
        QTest::keyClick(search, 'x');
        QCOMPARE(list()->currentRow(), 2);
        // Only row 104 matches "peasant'", and rows from 104 on are never found.
        search->clear();
        QTest::keyClicks(search, "peasant's");
        QCOMPARE(list()->currentRow(), 2);
    }

    void gfxPageShowsAndEditsTheEntryOfTheChosenTerrain() {
        open();
        QVERIFY(contents("graphicsContent")->isEnabled());
        QVERIFY(radio("archive3Button")->isChecked());
        QCOMPARE(box("entryBox")->text(), QString("42"));
        QVERIFY(check("repeatBox")->isChecked());
        QCOMPARE(box("groupNumberBox")->text(), QString("9"));

        // Archive, entry and repeat each change their own part; the other flags stay.
        radio("archive1Button")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 0xA000u | 1042u);
        check("repeatBox")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 0x2000u | 1042u);
        type("entryBox", "1234");
        QCOMPARE(box("entryBox")->text(), QString("999"));
        check("repeatBox")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 0xA000u | 1999u);
        // A group its field cannot hold is refused, the run of typing taken back.
        type("groupNumberBox", "70000");
        QCOMPARE(h_->prompts.texts().last(), QString("70000 does not fit Group (0 to 65535)."));
        QCOMPARE(h_->document.unitData.get(uf::gfxGroup, 0), 9u);
        QCOMPARE(box("groupNumberBox")->text(), QString("9"));
        type("groupNumberBox", "65535");
        QCOMPARE(h_->document.unitData.get(uf::gfxGroup, 0), 65535u);

        radio("summerTerrainButton")->click();
        QVERIFY(radio("archive1Button")->isChecked());
        QCOMPARE(box("entryBox")->text(), QString("7"));
        radio("noGraphicsButton")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxSummer, 0), 65535u);
        QVERIFY(!h_->window.findChild<QWidget*>("entryGroup")->isEnabled());
        // Back from "No GFX": the archive and the entry box make the entry afresh.
        radio("archive2Button")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxSummer, 0), 2007u);
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 0xA000u | 1999u);
        // Shown again, a unit without graphics has "No GFX" chosen and entry 0.
        radio("noGraphicsButton")->click();
        select(1);
        select(0);
        QVERIFY(radio("noGraphicsButton")->isChecked());
        QVERIFY(!h_->window.findChild<QWidget*>("entryGroup")->isEnabled());
        QCOMPARE(box("entryBox")->text(), QString("0"));
    }

  private:
    void open() {
        const QString path = dir_.filePath("units.pud");
        platform::saveWholeFile(path, scenarioWithUnits(units_));
        h_->window.openFile(path);
        QVERIFY(h_->document.isLoaded);
    }
    void type(const char* name, const QString& text) {
        QLineEdit* edit = box(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    QWidget* contents(const char* name) const { return h_->window.findChild<QWidget*>(name); }

    QTemporaryDir dir_;
    model::UnitDataTable units_;
};

TARNWICK_UI_TEST_MAIN(UnitEditingTest)
#include "UnitEditingTest.moc"
