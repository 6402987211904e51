#include "ui/app/AboutDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/sound/AboutSound.h"
#include "ui/app/AboutPictures.h"
#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {

constexpr int kPictureSide = 72;

QLabel* pictureLabel(const QPixmap& picture, const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setPixmap(picture);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(const EntryExtractor& extractor, Prompts& prompts,
                         platform::SoundOutput& sound, std::mt19937 generator, QWidget* parent)
    : QDialog(parent),
      extractor_(extractor),
      prompts_(prompts),
      sound_(sound),
      generator_(generator) {
    setObjectName("aboutDialog");
    setWindowTitle("About...");
    // A title bar without buttons: "OK" is the way out.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    setPalette(white);
    setAutoFillBackground(true);

    auto* name = new QLabel("Tarnwick v3.0");
    name->setObjectName("programNameLabel");
    QFont large = name->font();
    large.setPixelSize(24);
    name->setFont(large);
    QPalette blue = name->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    name->setPalette(blue);

    auto* credits = new QLabel(
        "A unit data editor for WarCraft II: scenarios, table files and the game's own "
        "archives.\n\n"
        "Written by the Tarnwick developers, with thanks to everyone who tried it on their "
        "maps and said what was wrong.\n\n"
        "Free software under the MIT licence. The game's files are not part of Tarnwick.");
    credits->setObjectName("creditsLabel");
    credits->setWordWrap(true);
    credits->setFixedWidth(340);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("okButton");
    ok->setDefault(true);
    auto* comedy = new QPushButton("Comedy Relief :)");
    comedy->setObjectName("comedyReliefButton");
    comedy->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name, 0, Qt::AlignHCenter);
    auto* pictures = new QHBoxLayout;
    pictures->addStretch(1);
    pictures->addWidget(pictureLabel(iconPicture(kPictureSide), "iconPicture"));
    pictures->addWidget(pictureLabel(archivePicture(kPictureSide), "archivePicture"));
    pictures->addWidget(pictureLabel(soundPicture(kPictureSide), "soundPicture"));
    pictures->addStretch(1);
    layout->addLayout(pictures);
    layout->addWidget(credits);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(comedy);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(comedy, &QPushButton::clicked, this,
            guardedSlot(prompts_, [this](bool) { playRandomSound(); }));
}

void AboutDialog::playRandomSound() {
    const std::int64_t entry = sound::drawAboutSound(generator_);
    sound_.playWave(extractor_.extractEntry(entry, sound::kSoundArchive));
}

}  // namespace tarnwick::ui
