// Save onto a file that has other hard links asks first: Yes parts it from them and saves, No
// saves nothing and shows nothing more.
#include <filesystem>

#include "ScenarioFileTest.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;
using ui::Answer;

class HardLinkSaveTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void saveAsksBeforeItPartsAFileFromItsOtherNames() {
        const Bytes before = openAndSave(scenarioWithUnits({}));
        const QString other = dir_.filePath("other.pud");
        std::filesystem::create_hard_link(path_.toStdString(), other.toStdString());
        h_->document.unitData.set(model::unitfields::hitPoints, 3, 77);
        const QString question =
            path_ +
            " has 2 hard links; saving would separate them.\n\nSave anyway? The other "
            "names keep the file as it is.";

        h_->prompts.shown.clear();
        h_->prompts.answers = {Answer::No};
        save();
        QCOMPARE(h_->prompts.texts(), QStringList{question});
        QCOMPARE(h_->prompts.shown.front().caption, QString("Save?"));
        QCOMPARE(saved(), before);

        h_->prompts.answers = {Answer::Yes};
        save();
        QCOMPARE(h_->prompts.texts(), (QStringList{question, question}));
        QVERIFY(saved() != before);
        QCOMPARE(platform::readWholeFile(other), before);
        QCOMPARE(platform::hardLinkCount(path_), nlink_t{1});
    }
};

QTEST_MAIN(HardLinkSaveTest)
#include "HardLinkSaveTest.moc"
