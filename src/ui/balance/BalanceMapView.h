#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include <QColor>
#include <QPainter>
#include <QStringList>
#include <QWidget>

#include "core/game/BalanceMap.h"

namespace tarnwick::ui {

// A colour of the map as Qt takes it.
QColor colourOf(const game::Rgb& rgb);
// The mark of a duel only one side can fight: the top right corner of `cell` folded over, as on
// the written picture.
void paintOneSidedMark(QPainter& painter, const QRect& cell);

// What the map draws: the duels of the scope's rows (attackers, unit A) against its columns.
struct BalanceMapContent {
    std::shared_ptr<const game::BalanceMatrix> matrix;
    // The duels the cells are compared with for their outline; none: no outline.
    std::shared_ptr<const game::BalanceMatrix> outlinedAgainst;
    game::BalanceMapScope scope;
    QStringList names;  // by unit id
    game::TimeScale scale;
};

// The heat map itself: row names on the left, column names standing on top, one coloured cell
// per duel. It tells which duel the pointer rests on and which one is clicked; from the
// keyboard the arrow keys move a framed cell and Enter or Space opens it as a click does.
class BalanceMapView : public QWidget {
    Q_OBJECT

  public:
    struct Pair {
        std::size_t a = 0;
        std::size_t b = 0;
    };

    explicit BalanceMapView(QWidget* parent = nullptr);

    // Shows other content; the pointer keeps resting where it was, on what is there now.
    void showContent(BalanceMapContent content);
    const BalanceMapContent& content() const { return content_; }
    std::optional<Pair> hoveredPair() const { return hovered_; }

    // The cell of row `row` and column `column` (positions in the shown order).
    QRect cellRect(int row, int column) const;
    std::optional<Pair> pairAt(const QPoint& point) const;

    QSize sizeHint() const override;

  signals:
    // The pointer rests on the duel of `a` against `b`, or the keys moved there; none: on no
    // cell.
    void pairHovered(std::optional<Pair> pair);
    void pairClicked(Pair pair);
    // The keys moved the framed cell to `cell`: it should be in sight.
    void cellFramed(const QRect& cell);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QString nameOf(std::size_t unit) const;
    // Room for the longest row name and the longest column name.
    void measureLabels();
    void paintLabels(QPainter& painter) const;
    void paintCell(QPainter& painter, int row, int column) const;
    void hover(std::optional<Pair> pair);
    std::optional<Pair> pairOf(const QPoint& cell) const;

    BalanceMapContent content_;
    int rowLabelWidth_ = 0;
    int columnLabelHeight_ = 0;
    std::optional<Pair> hovered_;
    std::optional<QPoint> pointer_;  // while over the view
    std::optional<QPoint> framed_;   // the keys' cell: x the column, y the row
};

}  // namespace tarnwick::ui
