#pragma once

#include <QLabel>
#include <QWidget>

#include "core/game/BalanceMap.h"

namespace tarnwick::ui {

// What the map's colours mean: a title, then a swatch and a text for each step of the scale.
class BalanceMapLegend : public QWidget {
  public:
    explicit BalanceMapLegend(QWidget* parent = nullptr);

    void showLegend(game::MapShows shows, game::DuelStart start, const game::TimeScale& scale);

  private:
    QLabel* title_;
    QWidget* entries_;
};

}  // namespace tarnwick::ui
