#include "ui/scenario/PlayerPropertiesWindow.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/prompts/CommandGuard.h"

namespace tarnwick::ui {

namespace {

QLabel* heading(const QString& text) {
    auto* label = new QLabel(text);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

template <std::size_t N>
QStringList itemsOf(const std::array<std::string_view, N>& names) {
    QStringList items;
    for (const std::string_view name : names) {
        items << QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    }
    return items;
}

}  // namespace

PlayerPropertiesWindow::PlayerPropertiesWindow(model::Document& document, Prompts& prompts,
                                               DocumentHistory& history,
                                               const QStringList& computerPlayerNames,
                                               QWidget* parent)
    : QDialog(parent),
      document_(document),
      prompts_(prompts),
      history_(history),
      computerPlayerNames_(computerPlayerNames) {
    setObjectName("playerPropertiesWindow");
    setWindowTitle("Player Properties");
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    build();
}

void PlayerPropertiesWindow::build() {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    grid->addWidget(heading("Player"), 0, 0);
    const std::array<const char*, 3> titles = {"Race", "Controller", "A.I. Players"};
    const std::array<const char*, 3> names = {"raceList", "controllerList", "computerPlayerList"};
    const std::array<const model::PlayerChoiceList*, 3> lists = {
        &model::kRaceList, &model::kControllerList, &model::kComputerPlayerList};
    const std::array<QStringList, 3> items = {itemsOf(model::kRaceNames),
                                              itemsOf(model::kControllerNames), QStringList{}};
    for (std::size_t c = 0; c < columns_.size(); ++c) {
        Column& column = columns_[c];
        column.list = lists[c];
        const int at = static_cast<int>(c) + 1;
        grid->addWidget(heading(titles[c]), 0, at);
        for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
            auto* box = new QComboBox;
            box->setObjectName(QString("%1%2").arg(names[c]).arg(slot));
            box->setProperty("tag", static_cast<unsigned>(slot));
            box->addItems(items[c]);
            box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
            grid->addWidget(box, static_cast<int>(slot) + 1, at);
            column.boxes[slot] = box;
            connect(box, &QComboBox::activated, this,
                    guardedSlot(prompts_, [this, &column, slot](int choice) {
                        choiceMade(column, slot, choice);
                    }));
        }
    }
    for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
        const std::string_view text = model::kPlayerLabels[slot];
        auto* label =
            new QLabel(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())));
        label->setBuddy(columns_[0].boxes[slot]);
        grid->addWidget(label, static_cast<int>(slot) + 1, 0);
    }
    // A wider window keeps the lists at the width of their names.
    grid->setColumnStretch(static_cast<int>(columns_.size()) + 1, 1);
    outer->addStretch(1);

    auto* ok = new QPushButton("OK");
    ok->setObjectName("playerPropertiesOkButton");
    connect(ok, &QPushButton::clicked, this, &QDialog::hide);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    outer->addLayout(buttons);
}

// Every showing, also of a window that is open already, shows the document afresh; before the
// window appears, so that it is first sized for the game's names.
void PlayerPropertiesWindow::setVisible(bool visible) {
    if (visible) {
        runGuarded(prompts_, [this] { showDocument(); });
    }
    QDialog::setVisible(visible);
}

void PlayerPropertiesWindow::showDocument() {
    for (Column& column : columns_) {
        const bool held = document_.holds(column.list->section);
        for (std::size_t slot = 0; slot < model::kEditedPlayerCount; ++slot) {
            QComboBox* box = column.boxes[slot];
            // A list set from code stores nothing: only a user's pick (activated) does.
            const QSignalBlocker quiet(box);
            if (column.list == &model::kComputerPlayerList) {
                box->clear();
                box->addItems(computerPlayerNames_);
            }
            const auto choice =
                held ? model::shownChoice(document_, *column.list,
                                          static_cast<std::size_t>(box->count()), slot)
                     : std::nullopt;
            box->setCurrentIndex(choice ? static_cast<int>(*choice) : -1);
            box->setEnabled(held);
        }
    }
}

void PlayerPropertiesWindow::choiceMade(const Column& column, std::size_t slot, int choice) {
    if (choice >= 0) {
        history_.record(QString("Change Player %1").arg(slot + 1), [&] {
            model::storeChoice(document_, *column.list, slot, static_cast<std::size_t>(choice));
        });
    }
}

}  // namespace tarnwick::ui
