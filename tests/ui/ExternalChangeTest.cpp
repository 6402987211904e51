// A file that another program changed since the editor read or wrote it is not overwritten
// without asking, and the window says so as soon as it happens.
#include <fcntl.h>
#include <sys/stat.h>

#include <functional>

#include <QFileSystemWatcher>
#include <QPushButton>
#include <QSignalSpy>

#include "DemoScenario.h"
#include "ScenarioFileTest.h"
#include "core/files/Scenario.h"
#include "ui/prompts/QtPrompts.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

const QString kQuestion =
    "\"scenario.pud\" was changed by another program since it was opened. Overwrite it with "
    "the editor's version?";
const QStringList kChoices{"Overwrite", "Save As..."};

// `file` with one unit's field set in place, byte by byte, as another program writes it.
Bytes withUnitField(Bytes file, const model::FieldDescriptor& field, std::size_t unit,
                    std::uint32_t value) {
    const std::size_t at = bodyOffsetOf(file, "UDTA") + field.offset + unit * field.width;
    for (std::size_t byte = 0; byte < field.width; ++byte) {
        file[at + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
    }
    return file;
}

// Rewrites `path` in place with `content` of the same size and puts its modification time
// back: a change that only its bytes tell.
void rewriteUnnoticed(const QString& path, const Bytes& content) {
    const QByteArray name = QFile::encodeName(path);
    struct stat before {};
    QCOMPARE(::stat(name.constData(), &before), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QCOMPARE(file.write(reinterpret_cast<const char*>(content.data()),
                        static_cast<qint64>(content.size())),
             static_cast<qint64>(content.size()));
    file.close();
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    QCOMPARE(::utimensat(AT_FDCWD, name.constData(), times, 0), 0);
    struct stat after {};
    QCOMPARE(::stat(name.constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

}  // namespace

class ExternalChangeTest : public ScenarioFileTest {
    Q_OBJECT

  private slots:
    void init() { startShownWithGame(); }

    void saveAsksBeforeOverwritingAnotherProgramsChange() {
        // Another program sets unit 1's armour to 9 while the user edits unit 0.
        open(original_);
        platform::saveWholeFile(path_, theirs_);
        type("hitPointsBox", "777");

        // Cancel keeps both versions as they are, also in the exit question's Yes.
        h_->prompts.choices = {QString()};
        save();
        QCOMPARE(h_->prompts.shown.size(), std::size_t{1});
        const auto& question = h_->prompts.shown[0];
        QCOMPARE(question.caption, QString("File Changed"));
        QCOMPARE(question.text, kQuestion);
        QCOMPARE(question.choices, kChoices);
        QCOMPARE(saved(), theirs_);
        QCOMPARE(h_->document.unitData.get(model::unitfields::hitPoints, 0), 777u);
        h_->prompts.answers = {ui::Answer::Yes};
        h_->prompts.choices = {QString()};
        h_->window.menus().exit->trigger();
        QCOMPARE(h_->prompts.texts().mid(1),
                 (QStringList{"Do you wish to save changes before quitting?", kQuestion}));
        QVERIFY(!h_->window.endRequested());
        QCOMPARE(saved(), theirs_);

        // "Save As..." puts the editor's version elsewhere and leaves theirs.
        const QString mine = dir_.filePath("mine.pud");
        h_->prompts.shown.clear();
        h_->prompts.choices = {"Save As..."};
        h_->prompts.filesToSave = {mine};
        save();
        QCOMPARE(h_->prompts.texts(), QStringList{kQuestion});
        QCOMPARE(saved(), theirs_);
        QCOMPARE(platform::readWholeFile(mine), mine_);

        // "Overwrite" writes the editor's version; after that the file is the editor's own, and
        // the next Save asks nothing.
        open(original_);
        platform::saveWholeFile(path_, theirs_);
        type("hitPointsBox", "777");
        h_->prompts.shown.clear();
        h_->prompts.choices = {"Overwrite"};
        save();
        QCOMPARE(saved(), mine_);
        save();
        QCOMPARE(h_->prompts.texts(), QStringList{kQuestion});
    }

    // Same size, and the modification time put back: only the bytes tell.
    void aChangeOnlyTheBytesTellIsAskedAboutToo() {
        open(original_);
        rewriteUnnoticed(path_, theirs_);
        type("hitPointsBox", "777");
        h_->prompts.choices = {QString()};
        save();
        QCOMPARE(h_->prompts.texts(), QStringList{kQuestion});
        QCOMPARE(saved(), theirs_);
    }

    void theWindowTellsWhenAnotherProgramChangesTheFile() {
        open(original_);
        auto* notice = child<QWidget>("fileChangedNotice");
        auto* watcher = h_->window.findChild<QFileSystemWatcher*>("documentFileWatcher");
        QVERIFY(watcher != nullptr);
        QVERIFY(!notice->isVisible());

        // The program's own save is no news: the folder's next event finds nothing.
        type("hitPointsBox", "777");
        save();
        QSignalSpy folderEvents(watcher, &QFileSystemWatcher::directoryChanged);
        platform::saveWholeFile(dir_.filePath("neighbour.txt"), Bytes{1});
        QTRY_VERIFY(!folderEvents.isEmpty());
        QVERIFY(!notice->isVisible());

        // Another program's save, by a new file renamed over the old one.
        platform::saveWholeFile(path_, theirs_);
        QTRY_VERIFY(notice->isVisible());
        QCOMPARE(label("fileChangedNoticeText")->text(),
                 QString("\"scenario.pud\" was changed by another program."));

        // Reload asks about the edits first; No drops them and shows the other version.
        type("hitPointsBox", "555");
        h_->prompts.shown.clear();
        h_->prompts.answers = {ui::Answer::No};
        QTest::mouseClick(child<QPushButton>("reloadButton"), Qt::LeftButton);
        QCOMPARE(h_->prompts.texts(), QStringList{kDropEditsQuestion});
        QCOMPARE(h_->document.unitData.get(model::unitfields::armor, 1), 9u);
        QCOMPARE(h_->document.unitData.get(model::unitfields::hitPoints, 0), original0Hp_);
        QVERIFY(!notice->isVisible());

        // A change written into the file itself shows as well.
        rewriteUnnoticed(path_, original_);
        QTRY_VERIFY(notice->isVisible());
    }

    void theRealBoxAnswersWithTheChosenButtonOrCancel() {
        ui::QtPrompts prompts;
        const ui::Message question{ui::MessageIcon::Warning, "File Changed", kQuestion};
        // What the user does in the box once it shows, and what the box then answers.
        const auto answerTo = [&](const std::function<void(QMessageBox&)>& act) {
            QTimer::singleShot(0, [act] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box != nullptr);
                act(*box);
            });
            return prompts.choose(question, kChoices);
        };
        const auto click = [](const QString& text) {
            return [text](QMessageBox& box) {
                for (QAbstractButton* button : box.buttons()) {
                    if (button->text() == text) {
                        button->click();
                    }
                }
            };
        };
        const auto key = [](Qt::Key pressed) {
            return [pressed](QMessageBox& box) { QTest::keyClick(&box, pressed); };
        };
        QCOMPARE(answerTo(click("Save As...")), std::optional<qsizetype>(1));
        QCOMPARE(answerTo(click("Overwrite")), std::optional<qsizetype>(0));
        QCOMPARE(answerTo(key(Qt::Key_Escape)), std::nullopt);
        // Enter does not overwrite either.
        QCOMPARE(answerTo(key(Qt::Key_Return)), std::nullopt);
    }

  private:
    const Bytes original_ = files::writeScenario(demo::demoScenario());
    const Bytes theirs_ = withUnitField(original_, model::unitfields::armor, 1, 9);
    const Bytes mine_ = withUnitField(original_, model::unitfields::hitPoints, 0, 777);
    const std::uint32_t original0Hp_ =
        scenarioFrom(original_).unitData.get(model::unitfields::hitPoints, 0);
};

TARNWICK_UI_TEST_MAIN(ExternalChangeTest)
#include "ExternalChangeTest.moc"
