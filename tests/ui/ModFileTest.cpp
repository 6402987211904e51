// A mod as a file in the window: "Apply Changes &File..." with its preview and one undo step,
// "Save &Changes As..." read back as the tool's apply reads it.
#include <QApplication>
#include <QListWidget>
#include <QUndoStack>

#include "ScenarioFileTest.h"
#include "core/exchange/Changes.h"
#include "core/exchange/ChangesFile.h"
#include "core/exchange/TableDiff.h"
#include "core/files/DocumentFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
namespace uf = model::unitfields;

class ModFileTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void aChangesFileIsPreviewedThenAppliedAsOneStep() {
        const Bytes original = typicalScenarioWith({});
        open(original);
        const auto hitPoints = [&](std::size_t unit) {
            return h_->document.unitData.get(uf::hitPoints, unit);
        };
        const QString name3 = list()->item(3)->text();
        const QString name7 = list()->item(7)->text();
        const std::uint32_t before3 = hitPoints(3);
        const std::uint32_t before7 = hitPoints(7);
        // A spreadsheet's own separator; unit 7 by its name; one value it already holds.
        const QString mod = dir_.filePath("ford-mod.csv");
        writeText(mod, QString("unit;name;hitPoints;armor\n3;%1;%2;%3\n%4;;%5;\n")
                           .arg(name3)
                           .arg(before3 + 5)
                           .arg(h_->document.unitData.get(uf::armor, 3))
                           .arg(name7)
                           .arg(before7 + 9));
        const QString step = "Apply ford-mod.csv: 2 values in 2 units";
        const QString preview = step + QString("\n\n%1 hitPoints %2 → %3\n%4 hitPoints %5 → %6")
                                           .arg(name3)
                                           .arg(before3)
                                           .arg(before3 + 5)
                                           .arg(name7)
                                           .arg(before7)
                                           .arg(before7 + 9);

        // Cancel at the preview changes nothing.
        h_->prompts.filesToOpen = {mod};
        h_->prompts.answers = {ui::Answer::Cancel};
        h_->window.menus().applyChangesFile->trigger();
        QCOMPARE(h_->prompts.shown.back().text, preview);
        QCOMPARE(h_->prompts.shown.back().buttons, ui::Buttons::OkCancel);
        QCOMPARE(hitPoints(3), before3);
        QVERIFY(h_->window.history().stack().count() == 0);

        h_->prompts.filesToOpen = {mod};
        h_->prompts.answers = {ui::Answer::Ok};
        h_->window.menus().applyChangesFile->trigger();
        QCOMPARE(hitPoints(3), before3 + 5);
        QCOMPARE(hitPoints(7), before7 + 9);
        QCOMPARE(h_->window.history().stack().count(), 1);
        QCOMPARE(h_->window.history().stack().undoText(), step);

        // One undo takes the whole file back.
        QApplication::setActiveWindow(&h_->window);
        QTest::keyClick(&h_->window, Qt::Key_Z, Qt::ControlModifier);
        save();
        QCOMPARE(saved(), original);

        // A name that contradicts its id refuses the whole file, as the tool's apply does.
        writeText(mod, QString("unit,name,hitPoints\n3,Not %1,1\n7,,2\n").arg(name3));
        h_->prompts.filesToOpen = {mod};
        h_->prompts.shown.clear();
        h_->window.menus().applyChangesFile->trigger();
        QCOMPARE(
            h_->prompts.texts(),
            QStringList{QString("ford-mod.csv: line 2, hitPoints: unit 3 is %1, not \"Not %1\"")
                            .arg(name3)});
        QCOMPARE(hitPoints(7), before7);
    }

    void savedChangesMakeTheOtherFileIntoThisOne() {
        const Bytes original = typicalScenarioWith({});
        const QString other = dir_.filePath("other.pud");
        platform::saveWholeFile(other, original);
        open(original);
        QVERIFY(h_->document.unitData.get(uf::hitPoints, 5) != 77u);
        QVERIFY(h_->document.unitData.get(uf::armor, 9) != 3u);
        select(5);
        type("hitPointsBox", "77");
        select(9);
        type("armorBox", "3");

        const QString written = dir_.filePath("mine.json");
        h_->prompts.choices = {"Another File..."};
        h_->prompts.filesToOpen = {other};
        h_->prompts.filesToSave = {written};
        h_->window.menus().saveChangesAs->trigger();
        QCOMPARE(h_->prompts.lastSaveChooser().title, QString("Save Changes As"));

        // The file read back and applied to the other file gives this document's tables.
        model::Document rebuilt = files::readDocument({}, original, "other.pud");
        const Bytes changes = platform::readWholeFile(written);
        exchange::applyChanges(
            rebuilt,
            exchange::checkChanges(exchange::readChanges(changes, "mine.json"),
                                   [](const std::string& unit) { return std::stoll(unit); }),
            "other.pud");
        QVERIFY(exchange::differences(exchange::comparedTablesOf(rebuilt),
                                      exchange::comparedTablesOf(h_->document))
                    .empty());
        QCOMPARE(rebuilt.unitData.get(uf::hitPoints, 5), 77u);
        QCOMPARE(rebuilt.unitData.get(uf::armor, 9), 3u);
    }

  private:
    static void writeText(const QString& path, const QString& text) {
        const QByteArray bytes = text.toUtf8();
        platform::saveWholeFile(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                       static_cast<std::size_t>(bytes.size())});
    }
};

QTEST_MAIN(ModFileTest)
#include "ModFileTest.moc"
