#include "ui/balance/BalanceMapLegend.h"

#include <QGridLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "ui/balance/BalanceMapView.h"

namespace tarnwick::ui {

namespace {
constexpr int kSwatchSize = 16;

QPixmap swatchOf(const game::LegendEntry& entry) {
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(colourOf(entry.colour));
    if (entry.oneSidedMark) {
        QPainter painter(&swatch);
        paintOneSidedMark(painter, swatch.rect());
    }
    return swatch;
}
}  // namespace

BalanceMapLegend::BalanceMapLegend(QWidget* parent)
    : QWidget(parent), title_(new QLabel), entries_(new QWidget) {
    setObjectName("balanceMapLegend");
    title_->setObjectName("legendTitle");
    title_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(title_);
    layout->addWidget(entries_);
    layout->addStretch(1);
    new QGridLayout(entries_);
}

void BalanceMapLegend::showLegend(game::MapShows shows, game::DuelStart start,
                                  const game::TimeScale& scale) {
    title_->setText(QString::fromStdString(game::legendTitle(shows, start)));
    qDeleteAll(entries_->findChildren<QLabel*>(Qt::FindDirectChildrenOnly));
    auto* grid = static_cast<QGridLayout*>(entries_->layout());
    int row = 0;
    for (const game::LegendEntry& entry : game::legendOf(shows, scale)) {
        auto* swatch = new QLabel;
        swatch->setPixmap(swatchOf(entry));
        auto* text = new QLabel(QString::fromStdString(entry.text));
        text->setObjectName(QString("legendText%1").arg(row));
        text->setWordWrap(true);
        grid->addWidget(swatch, row, 0);
        grid->addWidget(text, row, 1);
        ++row;
    }
    grid->setColumnStretch(1, 1);
}

}  // namespace tarnwick::ui
