#include "UiTestSupport.h"
#include "platform/FileStore.h"
#include "platform/GameFiles.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {
const QString kFirstRun = "Please Find war2.exe in the WarCraft Directory...";
const QString kBadDirectory = "Please Locate war2.exe in the war2 Directory...";
const QString kChoose = "Please Locate war2.exe in the war2 Directory you wish to use...";
}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        removeSettingsStore();
        QVERIFY(root_.isValid());
        // The game as installed by hand: lower-case folder and archive names.
        touch("Game/war2.exe");
        touch("Game/data/maindat.war");
        touch("NoData/war2.exe");
    }

    void firstRunCreatesTheStoreAndRemembersAGoodDirectory() {
        MainWindowHarness h;
        h.prompts.filesToOpen = {path("Game/war2.exe")};
        h.window.startUp({});
        QCOMPARE(h.prompts.texts(), QStringList{kFirstRun});
        QCOMPARE(h.prompts.shown[0].caption, QString("Warning"));
        QCOMPARE(h.prompts.shown[0].icon, ui::MessageIcon::Warning);
        QCOMPARE(h.prompts.openChoosers.size(), std::size_t{1});
        const auto& locate = h.prompts.openChoosers[0];
        QCOMPARE(locate.title, QString("Locate War2.exe..."));
        QCOMPARE(locate.filter, QString("Executables(*.exe)|*.exe"));
        QCOMPARE(locate.fileName, QString("WAR2.EXE"));
        QCOMPARE(h.window.gameDirectory(), path("Game"));
        QCOMPARE(h.settings.war2Dir(), path("Game"));

        // The next start finds everything and asks nothing.
        MainWindowHarness next;
        next.window.startUp({});
        QVERIFY(next.prompts.shown.empty());
        QCOMPARE(next.window.gameDirectory(), path("Game"));
    }

    void firstRunCancelledStillCreatesTheStore() {
        MainWindowHarness h;
        h.window.startUp({});
        QCOMPARE(h.prompts.texts(), QStringList{kFirstRun});
        QVERIFY(h.settings.exists());
        QCOMPARE(h.window.gameDirectory(), QString());

        MainWindowHarness next;
        next.window.startUp({});
        QCOMPARE(next.prompts.texts(), QStringList{kBadDirectory});
    }

    void aDirectoryWithoutGameDataIsUsedButNotStored() {
        platform::SettingsStore().setWar2Dir(path("Elsewhere"));
        for (int start = 0; start < 2; ++start) {
            MainWindowHarness h;
            h.prompts.filesToOpen = {path("NoData/war2.exe")};
            h.window.startUp({});
            QCOMPARE(h.prompts.texts(), QStringList{kBadDirectory});
            QCOMPARE(h.window.gameDirectory(), path("NoData"));
            QCOMPARE(h.settings.war2Dir(), path("Elsewhere"));
        }
    }

    void cancellingTheLocateDialogKeepsWhatWasRead() {
        platform::SettingsStore().setWar2Dir(path("Elsewhere"));
        MainWindowHarness h;
        h.window.startUp({});
        QCOMPARE(h.window.gameDirectory(), path("Elsewhere"));
    }

    // Unlike at start, a folder without the game's data is refused: the game in use stays.
    void choosingTheDirectoryAgain() {
        touch("Other/war2.exe");
        touch("Other/Data/MainDat.War");
        touch("Hollow/war2.exe");
        QDir().mkpath(path("Hollow/DATA"));
        platform::SettingsStore().setWar2Dir(path("Game"));
        MainWindowHarness h;
        h.window.startUp({});
        for (const QString folder : {"NoData", "Hollow"}) {
            h.prompts.shown.clear();
            h.prompts.filesToOpen = {path(folder + "/war2.exe")};
            h.window.menus().chooseGameDirectory->trigger();
            QCOMPARE(h.prompts.texts(),
                     (QStringList{kChoose, "\"" + path(folder) +
                                               "\" holds no DATA/MAINDAT.WAR, so it is no "
                                               "WarCraft II directory. The game directory stays "
                                               "as it was."}));
            QCOMPARE(h.prompts.shown[1].caption, QString("Warning"));
            QCOMPARE(h.window.gameDirectory(), path("Game"));
            QCOMPARE(h.settings.war2Dir(), path("Game"));
        }
        QCOMPARE(h.prompts.openChoosers.at(0).initialDirectory, path("Game"));

        h.prompts.filesToOpen = {path("Other/war2.exe")};
        h.window.menus().chooseGameDirectory->trigger();
        QCOMPARE(h.window.gameDirectory(), path("Other"));
        QCOMPARE(h.settings.war2Dir(), path("Other"));
    }

    void plugInSwitchOnlyAsFirstArgumentInAnyCase() {
        platform::SettingsStore().setWar2Dir(path("Game"));
        const QList<std::pair<QStringList, bool>> cases = {
            {{"-marrowbyplugin"}, true},
            {{"-MARROWBYPLUGIN", "x"}, true},
            {{"map.pud", "-MarrowbyPlugIn"}, false},
            {{}, false},
        };
        // No host has made a block: the plug-in start says so and ends the program at once.
        for (const auto& [arguments, plugIn] : cases) {
            MainWindowHarness h;
            h.window.startUp(arguments);
            QCOMPARE(h.window.endRequested(), plugIn);
            QCOMPARE(
                h.prompts.texts(),
                plugIn ? QStringList{"Error: Cannot communicate with Marrowby."} : QStringList{});
            QVERIFY(!h.window.isPlugInMode());
        }
    }

    void gameFilesAreFoundWithoutRegardToCase() {
        QCOMPARE(platform::findGameFile(path("Game"), "DATA\\MAINDAT.WAR"),
                 std::optional<QString>(path("Game/data/maindat.war")));
        QVERIFY(!platform::findGameFile(path("Game"), "DATA/REZDAT.WAR"));
        QVERIFY(!platform::findGameFile(QString(), "DATA/MAINDAT.WAR"));
        QVERIFY(!platform::holdsGameData(path("NoData")));
    }

  private:
    QString path(const QString& name) const { return root_.filePath(name); }
    void touch(const QString& name) const {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        platform::saveWholeFile(path(name), std::vector<std::uint8_t>{0});
    }

    QTemporaryDir root_;
};

TARNWICK_UI_TEST_MAIN(StartupTest)
#include "StartupTest.moc"
