#include <QGroupBox>
#include <QListWidget>

#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "core/files/Scenario.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace ug = model::upgradefields;
namespace rf = model::restrictionfields;

class TableEditorsTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        h_ = std::make_unique<MainWindowHarness>();
        h_->startWithGame();
    }

    void editorsNeedALoadedDocument() {
        h_->window.menus().editUpgrades->trigger();
        h_->window.menus().restrictionsButton->trigger();
        QCOMPARE(h_->prompts.texts(), (QStringList{kNoFileLoaded, kNoFileLoaded}));
    }

    void theUpgradeEditorOpensOnTheFirstEntry() {
        open();
        QVERIFY(runModal(h_->window.menus().upgradesButton, [](QDialog& editor) {
            QCOMPARE(editor.windowTitle(), QString("Upgrade Editor"));
            auto* list = editor.findChild<QListWidget*>("upgradeList");
            QCOMPARE(list->currentItem()->text(), QString("Sword 1"));
            QVERIFY(editor.findChild<QGroupBox*>("unitAffectsGroup")->isVisible());
            QVERIFY(!editor.findChild<QGroupBox*>("spellAffectsGroup")->isVisible());
            list->setCurrentRow(9);
            editor.accept();
        }));
        // The next opening starts at the first entry again.
        QVERIFY(runModal(h_->window.menus().editUpgrades, [](QDialog& editor) {
            QCOMPARE(editor.findChild<QListWidget*>("upgradeList")->currentItem()->text(),
                     QString("Sword 1"));
            editor.accept();
        }));
    }

    void upgradeValuesAndBits() {
        open();
        auto& editor = h_->window.upgradeEditor();
        const auto before = h_->document.upgrades.bytes;
        editor.show();
        QCOMPARE(h_->document.upgrades.bytes, before);  // filling writes the same values back
        auto* list = editor.findChild<QListWidget*>("upgradeList");
        list->setCurrentRow(34);
        QVERIFY(editor.findChild<QGroupBox*>("spellAffectsGroup")->isVisible());
        QVERIFY(!editor.findChild<QGroupBox*>("unitAffectsGroup")->isVisible());
        list->setCurrentRow(0);
        // A number the field cannot hold: one warning, the whole run of typing taken back (4
        // and 44 were stored on the way to 444), the box showing what the upgrade holds.
        const int steps = h_->window.history().stack().count();
        type(editor, "upgradeTimeBox", "444");
        type(editor, "upgradeGoldBox", "70000");
        QCOMPARE(h_->prompts.texts(), (QStringList{"444 does not fit Time (0 to 255).",
                                                   "70000 does not fit Gold (0 to 65535)."}));
        QCOMPARE(h_->prompts.shown[0].caption, QString("Warning"));
        QCOMPARE(h_->document.upgrades.bytes, before);
        QCOMPARE(h_->window.history().stack().count(), steps);
        QCOMPARE(editor.findChild<QLineEdit*>("upgradeTimeBox")->text(),
                 QString::number(h_->document.upgrades.get(ug::time, 0)));
        h_->prompts.shown.clear();
        type(editor, "upgradeTimeBox", "255");
        type(editor, "upgradeGoldBox", "65535");
        QCOMPARE(h_->document.upgrades.get(ug::time, 0), 255u);
        QCOMPARE(h_->document.upgrades.get(ug::gold, 0), 65535u);
        h_->document.upgrades.set(ug::affects, 0, 0xFFE00000u);
        list->setCurrentRow(1);
        list->setCurrentRow(0);
        QCOMPARE(editor.findChild<QLineEdit*>("upgradeTimeBox")->text(), QString("255"));
        editor.findChild<QCheckBox*>("unitAffects5")->click();
        QCOMPARE(h_->document.upgrades.get(ug::affects, 0), 0xFFE00020u);
        editor.findChild<QCheckBox*>("spellAffects5")->click();
        QCOMPARE(h_->document.upgrades.get(ug::affects, 0), 0xFFE00020u);
        editor.findChild<QCheckBox*>("unitAffects20")->click();
        editor.findChild<QCheckBox*>("unitAffects20")->click();
        QCOMPARE(h_->document.upgrades.get(ug::affects, 0), 0xFFE00020u);

        editor.findChild<QLineEdit*>("upgradeGoldBox")->clear();
        QCOMPARE(h_->prompts.texts(), QStringList{"'' is not a valid integer value."});
        QCOMPARE(h_->document.upgrades.get(ug::gold, 0), 65535u);
        editor.accept();
    }

    void restrictionBoxesTouchOneBitOfOneSlot() {
        open();
        h_->window.menus().addRestrictions->trigger();
        auto& editor = h_->window.restrictionsEditor();
        editor.show();
        for (const char* name :
             {"unitAllowed1", "unitAllowed8", "spellAllowed4", "upgradeAllowed8"}) {
            QVERIFY(editor.findChild<QCheckBox*>(name)->isChecked());
        }
        QVERIFY(!editor.findChild<QCheckBox*>("spellAtStart1")->isChecked());
        const auto defaults = h_->document.restrictions.bytes;

        editor.findChild<QListWidget*>("restrictedUnitList")->setCurrentRow(16);  // farm
        editor.findChild<QCheckBox*>("unitAllowed5")->click();
        auto expected = defaults;
        expected[4 * 4 + 2] = 0xFE;  // bit 16 of slot 4
        QCOMPARE(h_->document.restrictions.bytes, expected);

        editor.findChild<QListWidget*>("restrictedSpellList")->setCurrentRow(1);  // healing
        editor.findChild<QCheckBox*>("spellAtStart1")->click();
        expected[64] = 0x02;
        QCOMPARE(h_->document.restrictions.bytes, expected);

        editor.findChild<QListWidget*>("restrictedUnitList")->setCurrentRow(31);
        editor.findChild<QCheckBox*>("unitAllowed8")->click();
        expected[7 * 4 + 3] = 0x7F;
        QCOMPARE(h_->document.restrictions.bytes, expected);

        // A new opening shows the first entries again.
        editor.hide();
        editor.show();
        QCOMPARE(editor.findChild<QListWidget*>("restrictedUnitList")->currentRow(), 0);
        QCOMPARE(editor.findChild<QListWidget*>("restrictedSpellList")->currentRow(), 0);
        QVERIFY(editor.findChild<QCheckBox*>("unitAllowed5")->isChecked());
        QCOMPARE(h_->document.restrictions.bytes, expected);
        editor.hide();
    }

    void removeAsksAndAddRestores() {
        open();
        const auto& m = h_->window.menus();
        m.addRestrictions->trigger();
        QVERIFY(m.restrictionsEditor->isEnabled());
        QVERIFY(m.restrictionsButton->isEnabled());
        h_->prompts.answers = {ui::Answer::No, ui::Answer::Cancel, ui::Answer::Yes};
        for (int i = 0; i < 3; ++i) {
            m.removeRestrictions->trigger();
            QCOMPARE(h_->document.hasRestrictions(), i < 2);
        }
        QCOMPARE(h_->prompts.texts(),
                 (QStringList{"Remove Restriction Data?", "Remove Restriction Data?",
                              "Remove Restriction Data?", "Restrictions Removed."}));
        QCOMPARE(h_->prompts.shown[0].caption, QString("WARNING!"));
        QCOMPARE(h_->prompts.shown[0].buttons, ui::Buttons::YesNoCancel);
        QVERIFY(!m.restrictionsEditor->isEnabled());
        QVERIFY(!m.restrictionsButton->isEnabled());
        openMenu(m.exportMenu);
        QVERIFY(!m.exportRestrictions->isEnabled());
    }

    void editsInBothEditorsSurviveSaveAndReopen() {
        open();
        h_->window.menus().addRestrictions->trigger();
        auto& upgrades = h_->window.upgradeEditor();
        upgrades.show();
        upgrades.findChild<QListWidget*>("upgradeList")->setCurrentRow(40);
        type(upgrades, "upgradeIconBox", "321");
        upgrades.findChild<QCheckBox*>("spellAffects7")->click();
        upgrades.hide();
        auto& restrictions = h_->window.restrictionsEditor();
        restrictions.show();
        restrictions.findChild<QListWidget*>("restrictedUpgradeList")->setCurrentRow(19);
        restrictions.findChild<QCheckBox*>("upgradeAllowed3")->click();
        restrictions.hide();
        const auto affects = h_->document.upgrades.get(ug::affects, 40);
        h_->window.menus().save->trigger();

        MainWindowHarness other;
        other.window.openFile(dir_.filePath("tables.pud"));
        QCOMPARE(other.document.upgrades.get(ug::icon, 40), 321u);
        QCOMPARE(other.document.upgrades.get(ug::affects, 40), affects);
        QVERIFY(!other.document.restrictions.bit(rf::upgradesAllowed, 2, 19));
        QVERIFY(other.document.restrictions.bit(rf::upgradesAllowed, 1, 19));
    }

  private:
    void open() {
        const QString path = dir_.filePath("tables.pud");
        platform::saveWholeFile(path, chainOf(typicalScenarioSections()));
        h_->window.openFile(path);
        QVERIFY(h_->document.isLoaded);
    }
    static void type(QWidget& window, const char* name, const QString& text) {
        auto* edit = window.findChild<QLineEdit*>(name);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    QTemporaryDir dir_;
    std::unique_ptr<MainWindowHarness> h_;
};

TARNWICK_UI_TEST_MAIN(TableEditorsTest)
#include "TableEditorsTest.moc"
