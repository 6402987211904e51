// The About box: what it shows, which sound "Comedy Relief :)" hands to the sound output, and the
// real player on a machine without sound.
#include <QPushButton>

#include "UiTestSupport.h"
#include "core/archive/Archive.h"
#include "core/sound/AboutSound.h"
#include "platform/FileStore.h"
#include "platform/WavePlayer.h"
#include "ui/app/AboutDialog.h"

using namespace tarnwick;
using namespace tarnwick::testsupport;

namespace {

class RecordedSound : public platform::SoundOutput {
  public:
    void playWave(std::vector<std::uint8_t> wave) override { played.push_back(std::move(wave)); }
    std::vector<std::vector<std::uint8_t>> played;
};

}  // namespace

class AboutDialogTest : public QObject {
    Q_OBJECT

  private slots:
    void theBoxPlaysTheBytesOfEachDrawnSound() {
        const QString game = demoGameDirectory();
        const ui::EntryExtractor extractor(game);
        ScriptedPrompts prompts;
        RecordedSound sound;
        ui::AboutDialog about(extractor, prompts, sound, std::mt19937(7));
        about.show();
        QCOMPARE(about.windowTitle(), QString("About..."));
        auto* name = control<QLabel>(about, "programNameLabel");
        QCOMPARE(name->text(), QString("Tarnwick v3.0"));

        auto* comedy = control<QPushButton>(about, "comedyReliefButton");
        QCOMPARE(comedy->text(), QString("Comedy Relief :)"));
        constexpr int kClicks = 25;
        for (int click = 0; click < kClicks; ++click) {
            QTest::mouseClick(comedy, Qt::LeftButton);
        }
        const auto sounds = platform::readWholeFile(QDir(game).filePath("DATA/SFXDAT.SUD"));
        const archive::ArchiveView archive(sounds);
        std::mt19937 same(7);
        QCOMPARE(sound.played.size(), std::size_t{kClicks});
        for (const auto& wave : sound.played) {
            QCOMPARE(wave, archive.extract(sound::drawAboutSound(same)));
        }
        QVERIFY(prompts.shown.empty());

        auto* ok = control<QPushButton>(about, "okButton");
        QCOMPARE(ok->text(), QString("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!about.isVisible());
    }

    void aSoundThatCannotBeReadIsReportedAndNothingPlays() {
        QTemporaryDir noGame;
        const QString game = noGame.path();
        const ui::EntryExtractor extractor(game);
        ScriptedPrompts prompts;
        RecordedSound sound;
        ui::AboutDialog about(extractor, prompts, sound, std::mt19937(1));
        about.show();
        QTest::mouseClick(control<QPushButton>(about, "comedyReliefButton"), Qt::LeftButton);
        QCOMPARE(prompts.texts(), QStringList{"A fatal error has occured during extraction! "
                                              "Error Opening SFXDAT.SUD"});
        QVERIFY(sound.played.empty());
        QVERIFY(about.isVisible());
    }

    void theHelpMenuShowsTheBox() {
        MainWindowHarness h;
        h.startWithGame();
        h.window.show();
        QVERIFY(runModal<ui::AboutDialog>(h.window.menus().about, [](ui::AboutDialog& about) {
            QTest::mouseClick(control<QPushButton>(about, "okButton"), Qt::LeftButton);
        }));
    }

    void theRealPlayerRefusesWhatIsNoWaveAndTakesATone() {
        // No sound server to be found: the same test on every machine, and a silent one.
        qputenv("PULSE_SERVER", "unix:/nonexistent/tarnwick-test");
        platform::WavePlayer player;
        QTest::ignoreMessage(QtWarningMsg,
                             "Not a playable wave sound: it does not start with RIFF and WAVE");
        player.playWave({'M', 'Z', 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        // A real tone is taken as one: neither refused nor found unplayable.
        QTest::failOnWarning(
            QRegularExpression("^(Not a playable wave sound|The sound device cannot play)"));
        player.playWave(demo::demoWave(440));
    }
};

TARNWICK_UI_TEST_MAIN(AboutDialogTest)
#include "AboutDialogTest.moc"
