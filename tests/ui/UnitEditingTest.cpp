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
        units_.set(uf::gfxGeneral, 0, 0x8000 | 3042);
        units_.set(uf::gfxSummer, 0, 1007);
        units_.set(uf::gfxGroup, 0, 9);
    }

    void beforeAnyLoadNothingIsShown() {
        QVERIFY(contents("GeneralContent")->isHidden());
        QVERIFY(contents("FlagsContent")->isHidden());
        QVERIFY(!contents("GfxContent")->isEnabled());
        list()->setCurrentRow(3);
        QVERIFY(contents("GeneralContent")->isHidden());
        QVERIFY(h_->prompts.shown.empty());
    }

    void selectingShowsTheStoredValuesAndChangesNothing() {
        open();
        QCOMPARE(list()->currentRow(), 0);
        QVERIFY(!contents("GeneralContent")->isHidden());
        QCOMPARE(box("HP")->text(), QString("12345"));
        QCOMPARE(box("SightRange")->text(), QString("12"));
        QCOMPARE(box("gold")->text(), QString("250"));
        QCOMPARE(label("lbldec")->text(), QString("Decays in 60 seconds."));
        QCOMPARE(combo("missile")->currentIndex(), -1);
        QVERIFY(check("Magic")->isChecked());
        QVERIFY(check("tL")->isChecked());
        QVERIFY(!check("tS")->isChecked());
        QVERIFY(check("tA")->isChecked());
        QVERIFY(check("f0")->isChecked());
        QVERIFY(check("f1")->isChecked());
        QVERIFY(!check("f3")->isChecked());

        const auto& shown = h_->document.unitData;
        QCOMPARE(shown.get(uf::hitPoints, 0), 12345u);
        QCOMPARE(shown.get(uf::sightRange, 0), 12u);
        QCOMPARE(shown.get(uf::goldCost, 0), 25u);
        QCOMPARE(shown.get(uf::flags, 0), 0x3u);
        // The target boxes rewrite their byte whole as they change: bit 3 is gone.
        QCOMPARE(shown.get(uf::canTarget, 0), 0x05u);
        // A check box writes 1 or 0 when its state changes.
        QCOMPARE(shown.get(uf::magic, 0), 1u);
    }

    void typedNumbersAreTruncatedToTheirField() {
        open();
        type("armor", "300");
        QCOMPARE(h_->document.unitData.get(uf::armor, 0), 44u);
        type("gold", "259");
        QCOMPARE(h_->document.unitData.get(uf::goldCost, 0), 25u);
        type("lumber", "2560");
        QCOMPARE(h_->document.unitData.get(uf::lumberCost, 0), 0u);
        box("points")->setText("-1");
        QCOMPARE(h_->document.unitData.get(uf::pointValue, 0), 65535u);
        type("EdSizeX", "31");
        type("EdSizeY", "47");
        QCOMPARE(h_->document.unitData.get(uf::boxSize, 0, 0), 31u);
        QCOMPARE(h_->document.unitData.get(uf::boxSize, 0, 1), 47u);
        select(1);
        select(0);
        QCOMPARE(box("armor")->text(), QString("44"));
        QCOMPARE(box("gold")->text(), QString("250"));
        QVERIFY(h_->prompts.shown.empty());
    }

    void typingLimitsApplyToTypingOnly() {
        open();
        type("HP", "123456");
        QCOMPARE(box("HP")->text(), QString("1234"));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 1234u);
        type("SightRange", "42");
        QCOMPARE(box("SightRange")->text(), QString("4"));
    }

    void textThatIsNoNumberReportsAndStoresNothing() {
        open();
        box("HP")->selectAll();
        QTest::keyClick(box("HP"), Qt::Key_Backspace);
        QCOMPARE(h_->prompts.texts(), QStringList{"'' is not a valid integer value."});
        QCOMPARE(h_->prompts.shown[0].caption, QString("Tarnwick"));
        QCOMPARE(h_->prompts.shown[0].icon, ui::MessageIcon::Error);
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 12345u);
        QTest::keyClicks(box("HP"), "-");
        QCOMPARE(h_->prompts.texts().last(), QString("'-' is not a valid integer value."));
        // A plus sign is taken, but not before another sign.
        box("HP")->selectAll();
        QTest::keyClicks(box("HP"), "+-1");
        QCOMPARE(h_->prompts.texts().last(), QString("'+-1' is not a valid integer value."));
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 12345u);
        box("HP")->selectAll();
        QTest::keyClicks(box("HP"), "+7");
        QCOMPARE(h_->document.unitData.get(uf::hitPoints, 0), 7u);
    }

    void damageAndDecayLabels() {
        open();
        type("bDam", "9");
        type("pDam", "5");
        QCOMPARE(label("overall")->text(), QString("3 to 14"));
        type("pDam", "4");
        QCOMPARE(label("overall")->text(), QString("2 to 13"));
        type("decay", "0");
        QCOMPARE(label("lbldec")->text(), QString("Never Decays"));
        type("decay", "20");
        QCOMPARE(label("lbldec")->text(), QString("Decays in 120 seconds."));
    }

    void pickingADomainLeavesExactlyItsFlag() {
        open();
        combo("unitType")->setCurrentIndex(2);
        emit combo("unitType")->activated(2);
        QCOMPARE(h_->document.unitData.get(uf::unitType, 0), 2u);
        QCOMPARE(h_->document.unitData.get(uf::flags, 0), 0x8u);
        QVERIFY(!check("f0")->isChecked());
        QVERIFY(!check("f1")->isChecked());
        QVERIFY(check("f3")->isChecked());
    }

    void eachFlagBoxOwnsExactlyItsBit() {
        open();
        for (unsigned bit = 0; bit < 32; ++bit) {
            QCheckBox* flag = check(QString("f%1").arg(bit));
            const std::uint32_t before = h_->document.unitData.get(uf::flags, 0);
            flag->click();
            QCOMPARE(h_->document.unitData.get(uf::flags, 0), before ^ (1u << bit));
            flag->click();
            QCOMPARE(h_->document.unitData.get(uf::flags, 0), before);
        }
    }

    void checkBoxesListsAndTrackBar() {
        open();
        check("Magic")->click();
        QCOMPARE(h_->document.unitData.get(uf::magic, 0), 0u);
        check("tS")->click();
        QCOMPARE(h_->document.unitData.get(uf::canTarget, 0), 0x07u);
        combo("missile")->setCurrentIndex(5);
        emit combo("missile")->activated(5);
        QCOMPARE(h_->document.unitData.get(uf::missile, 0), 5u);
        slider("priority")->setValue(77);
        QCOMPARE(h_->document.unitData.get(uf::priority, 0), 77u);
        QCOMPARE(label("lblPriority")->text(), QString("77"));
        select(1);
        QCOMPARE(slider("priority")->value(), 200);
        QCOMPARE(label("lblPriority")->text(), QString("200"));
    }

    void rightClickOnlyForTheFirst58Units() {
        open();
        select(57);
        QCOMPARE(combo("rightClick")->currentIndex(), 2);
        QVERIFY(combo("rightClick")->isEnabled());
        combo("rightClick")->setCurrentIndex(0);
        emit combo("rightClick")->activated(0);
        QCOMPARE(h_->document.unitData.get(uf::rightClickAction, 57), 1u);
        select(58);
        QCOMPARE(combo("rightClick")->currentIndex(), -1);
        QVERIFY(!combo("rightClick")->isEnabled());
        const auto before = h_->document.unitData.bytes;
        emit combo("rightClick")->activated(1);
        QCOMPARE(h_->document.unitData.bytes, before);
    }

    void groupRowsHideTheUnitPagesAndWriteNothing() {
        open();
        select(110);
        QCOMPARE(list()->currentItem()->text(), QString("Group 1"));
        QVERIFY(contents("GeneralContent")->isHidden());
        QVERIFY(contents("FlagsContent")->isHidden());
        QCOMPARE(box("Grp1")->text(), QString("0"));
        const auto before = h_->document.unitData.bytes;
        box("EdSizeX")->setText("99");
        check("f5")->click();
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
        QLineEdit* search = h_->window.findChild<QLineEdit*>("txtName");
        QList<int> rows;
        for (const char key : {'p', 'e', 'a', 's'}) {
            QTest::keyClick(search, key);
            rows << list()->currentRow();
        }
        QCOMPARE(rows, (QList<int>{0, 1, 2, 2}));
        QCOMPARE(search->text(), QString("peas"));
        QCOMPARE(box("HP")->text(), QString("0"));
        QTest::keyClick(search, 'x');
        QCOMPARE(list()->currentRow(), 2);
        // Only row 104 matches "peasant'", and rows from 104 on are never found.
        search->clear();
        QTest::keyClicks(search, "peasant's");
        QCOMPARE(list()->currentRow(), 2);
    }

    void gfxPageShowsAndEditsTheEntryOfTheChosenTerrain() {
        open();
        QVERIFY(contents("GfxContent")->isEnabled());
        QVERIFY(radio("w3")->isChecked());
        QCOMPARE(box("txtEntry")->text(), QString("42"));
        QVERIFY(check("CheckBox1")->isChecked());
        QCOMPARE(box("Grp1")->text(), QString("9"));

        radio("w1")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 0x8000u | 1042u);
        check("CheckBox1")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 1042u);
        type("txtEntry", "1234");
        QCOMPARE(box("txtEntry")->text(), QString("999"));
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 1999u);
        type("Grp1", "70000");
        QCOMPARE(h_->document.unitData.get(uf::gfxGroup, 0), 70000u & 0xFFFF);

        radio("RadioButton2")->click();
        QVERIFY(radio("w1")->isChecked());
        QCOMPARE(box("txtEntry")->text(), QString("7"));
        radio("CheckBox4")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxSummer, 0), 65535u);
        QVERIFY(!h_->window.findChild<QWidget*>("GroupBox3")->isEnabled());
        // Back from "No GFX": the archive and the entry box make the entry afresh.
        radio("w2")->click();
        QCOMPARE(h_->document.unitData.get(uf::gfxSummer, 0), 2007u);
        QCOMPARE(h_->document.unitData.get(uf::gfxGeneral, 0), 1999u);
    }

  private:
    void open() {
        const QString path = dir_.filePath("units.pud");
        platform::saveWholeFile(path, scenarioWithUnits(units_));
        h_->window.OpenFile(path);
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
