#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "platform/FileStore.h"
#include "ui/archive/ArchiveWriter.h"
#include "ui/graphics/ProgressWindow.h"
#include "ui/prompts/CommandGuard.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

class ArchiveWriterTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        QVERIFY(game_.isValid());
        demo::writeDemoGameDirectory(game_.path());
        prompts_ = std::make_unique<ScriptedPrompts>();
        writer_ = std::make_unique<ui::ArchiveWriter>(form_, gameDirectory_);
        gameDirectory_ = game_.path();
    }

    void insertingReplacesTheEntryAndMovesTheRest() {
        const std::vector<std::uint8_t> data(5000, 0x5A);
        const QString archivePath = game_.filePath("DATA/MAINDAT.WAR");
        const auto before = platform::readWholeFile(archivePath);
        QVERIFY(succeeds([&] {
            writer_->insertEntry(data, 1, "maindat.war", archive::entryHeader(data.size(), false));
        }));
        QVERIFY(prompts_->shown.empty());
        QCOMPARE(form_.windowTitle(), QString("Inserting..."));
        QVERIFY(!form_.isVisible());
        const auto after = platform::readWholeFile(archivePath);
        const archive::ArchiveView oldView(before);
        const archive::ArchiveView newView(after);
        QCOMPARE(newView.extract(1), data);
        QCOMPARE(newView.extract(472), oldView.extract(472));
        QCOMPARE(newView.extract(0), oldView.extract(0));
    }

    void aFailedInsertionLeavesTheArchiveAsItWas() {
        const std::vector<std::uint8_t> data{1, 2};
        const QString archivePath = game_.filePath("DATA/MAINDAT.WAR");
        const auto before = platform::readWholeFile(archivePath);
        QVERIFY(!succeeds([&] { writer_->insertEntry(data, 473, "MAINDAT.WAR", 2); }));
        QCOMPARE(prompts_->texts(),
                 QStringList{"A fatal error has occured during insertion!Entry does not exist in "
                             "opened data file!: 473"});
        QCOMPARE(platform::readWholeFile(archivePath), before);
        QVERIFY(!form_.isVisible());
    }

    void aTruncatedArchiveIsNotWrittenInto() {
        const QString archivePath = game_.filePath("DATA/MAINDAT.WAR");
        auto truncated = platform::readWholeFile(archivePath);
        truncated.resize(truncated.size() / 2);
        platform::saveWholeFile(archivePath, truncated);
        QVERIFY(!succeeds([&] {
            writer_->insertEntry(std::vector<std::uint8_t>{1, 2}, 1, "MAINDAT.WAR", 2);
        }));
        QVERIFY(prompts_->texts().value(0).startsWith(
            "A fatal error has occured during insertion!The archive is damaged: entry "));
        QCOMPARE(platform::readWholeFile(archivePath), truncated);
    }

  private:
    // Runs a writer command as its window would: true when it showed no box.
    bool succeeds(const std::function<void()>& command) {
        const std::size_t before = prompts_->shown.size();
        ui::runGuarded(*prompts_, command);
        return prompts_->shown.size() == before;
    }

    QTemporaryDir game_;
    QString gameDirectory_;
    ui::ProgressWindow form_;
    std::unique_ptr<ScriptedPrompts> prompts_;
    std::unique_ptr<ui::ArchiveWriter> writer_;
};

TARNWICK_UI_TEST_MAIN(ArchiveWriterTest)
#include "ArchiveWriterTest.moc"
