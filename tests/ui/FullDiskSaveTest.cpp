// The editor's writes onto a full disk: the box names the system's reason after its own text,
// and the file on the disk is exactly what it was.
#include "FullDisk.h"
#include "ScenarioBuilder.h"
#include "UiTestSupport.h"
#include "platform/FileStore.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class FullDiskSaveTest : public WindowTestBase {
    Q_OBJECT

  private slots:
    void init() {
        if (!disk_.isMounted()) {
            QSKIP(disk_.failure().c_str());
        }
        startShownWithGame();
    }

    void cleanup() {
        for (const std::string& name : disk_.names()) {
            QFile::remove(onDisk(QString::fromStdString(name)));
        }
    }

    void savingAUnitDataFileKeepsTheOldOne() {
        const auto units = scenarioWithUnits({});
        platform::saveWholeFile(onDisk("big.pud"), units);
        h_->window.openFile(onDisk("big.pud"));
        h_->prompts.filesToOpen = {onDisk("units.udt")};
        h_->window.menus().exportUnitData->trigger();
        h_->window.openFile(onDisk("units.udt"));
        const auto old = platform::readWholeFile(onDisk("units.udt"));
        disk_.fill();
        h_->document.unitData.set(model::unitfields::hitPoints, 3, 77);
        h_->window.menus().save->trigger();
        QCOMPARE(h_->prompts.texts().last(),
                 QString("Error Saving UDTA:\rError Writing Data!\nNo space left on device"));
        QCOMPARE(platform::readWholeFile(onDisk("units.udt")), old);
        QCOMPARE(disk_.names(), (std::vector<std::string>{"big.pud", "filler", "units.udt"}));
    }

    void savingAScenarioLargerThanTheBufferKeepsTheOldOne_data() {
        QTest::addColumn<bool>("partWay");
        QTest::newRow("full before the save") << false;
        // The first write takes the pages that are left; the reason is the next one's.
        QTest::newRow("full during the save") << true;
    }

    void savingAScenarioLargerThanTheBufferKeepsTheOldOne() {
        QFETCH(bool, partWay);
        auto sections = typicalScenarioSections();
        for (TestSection& section : sections) {
            if (section.tag == "MTXM") {
                section.body = patternBytes(40000, 5);
            }
        }
        platform::saveWholeFile(onDisk("large.pud"), chainOf(sections));
        h_->window.openFile(onDisk("large.pud"));
        QVERIFY(h_->document.isLoaded);
        const auto old = platform::readWholeFile(onDisk("large.pud"));
        if (partWay) {
            disk_.fillLeaving(8192);
        } else {
            disk_.fill();
        }
        h_->window.menus().save->trigger();
        QCOMPARE(h_->prompts.texts().last(),
                 QString("Error Saving File!\nNo space left on device"));
        QCOMPARE(platform::readWholeFile(onDisk("large.pud")), old);
        QCOMPARE(disk_.names(), (std::vector<std::string>{"filler", "large.pud"}));
    }

    void anExportOntoAFullDiskLeavesNoFile() {
        platform::saveWholeFile(onDisk("a.pud"), scenarioWithUnits({}));
        h_->window.openFile(onDisk("a.pud"));
        disk_.fill();
        h_->prompts.filesToOpen = {onDisk("x.UP")};
        h_->window.menus().exportUpgradeSection->trigger();
        QCOMPARE(h_->prompts.texts().last(),
                 QString("Error Writing File!\nNo space left on device."));
        QCOMPARE(disk_.names(), (std::vector<std::string>{"a.pud", "filler"}));
    }

  private:
    QString onDisk(const QString& name) const {
        return QString::fromStdString(disk_.path(name.toStdString()));
    }

    FullDisk disk_;
};

TARNWICK_UI_TEST_MAIN(FullDiskSaveTest)
#include "FullDiskSaveTest.moc"
