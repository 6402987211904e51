#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include <QAbstractScrollArea>
#include <QColor>
#include <QPainter>
#include <QStringList>

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
    // Another file's duels: a cell whose winner differs is outlined in its own colour.
    std::shared_ptr<const game::BalanceMatrix> comparedWith;
    game::BalanceMapScope scope;
    QStringList names;  // by unit id
    game::TimeScale scale;
};

// The heat map itself: one coloured cell per duel, the row names at the left, the column names
// standing on top and each row's wins, losses and even duels at the right. The names and the
// tallies stay in place while the cells scroll under them. It tells which duel the pointer
// rests on and which one is clicked; from the keyboard the arrow keys move a framed cell and
// Enter or Space opens it as a click does. Positions are the viewport's.
class BalanceMapView : public QAbstractScrollArea {
    Q_OBJECT

  public:
    struct Pair {
        std::size_t a = 0;
        std::size_t b = 0;
    };

    static constexpr int kSmallestCell = 4;
    static constexpr int kLargestCell = 48;

    explicit BalanceMapView(QWidget* parent = nullptr);

    // Shows other content; the pointer keeps resting where it was, on what is there now.
    void showContent(BalanceMapContent content);
    const BalanceMapContent& content() const { return content_; }
    std::optional<Pair> hoveredPair() const { return hovered_; }

    // The cell of row `row` and column `column` (positions in the shown order), as scrolled now.
    QRect cellRect(int row, int column) const;
    std::optional<Pair> pairAt(const QPoint& point) const;
    // Where the cells are seen: the viewport without the names and the tallies.
    QRect cellArea() const;
    // The row's tally at the right and where it stands.
    QRect tallyRect(int row) const;

    int cellSize() const { return cellSize_; }
    // Cells of `size` pixels (kSmallestCell to kLargestCell); the map no longer fits itself.
    void setCellSize(int size);
    void zoomIn();
    void zoomOut();
    // The whole map in the viewport, down to cells of kSmallestCell, and kept so while the
    // window is resized, until a zoom.
    void fitToWindow();
    bool isFitted() const { return fitted_; }
    // Frames row `row` (in the column framed before, else the first) and scrolls to it.
    void frameRow(int row);
    // Scrolls only as far as needed to show the cell whole.
    void showCell(int row, int column);

  signals:
    // The pointer rests on the duel of `a` against `b`, or the keys moved there; none: on no
    // cell.
    void pairHovered(std::optional<Pair> pair);
    void pairClicked(Pair pair);
    void cellSizeChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    int rowCount() const { return static_cast<int>(content_.scope.rows.size()); }
    int columnCount() const { return static_cast<int>(content_.scope.columns.size()); }
    QString nameOf(std::size_t unit) const;
    // Room for the longest row name, the longest column name and the widest tally.
    void measureLabels();
    void updateScrollRange();
    // Only every stride-th name is written where a line of text is taller than a cell.
    int labelStride() const;
    void paintCells(QPainter& painter, const QRect& dirty) const;
    void paintCell(QPainter& painter, int row, int column) const;
    void paintRowNames(QPainter& painter) const;
    void paintColumnNames(QPainter& painter) const;
    void paintTallies(QPainter& painter) const;
    void hover(std::optional<Pair> pair);
    std::optional<Pair> pairOf(const QPoint& cell) const;
    std::optional<QPoint> cellAt(const QPoint& point) const;
    void frame(const QPoint& cell);
    // Keeps the point of the map at the middle of the cells in place across a new cell size.
    void resizeCells(int size);

    BalanceMapContent content_;
    std::vector<game::RowTally> tallies_;  // by shown row
    int cellSize_ = 16;
    bool fitted_ = false;
    int rowLabelWidth_ = 0;
    int columnLabelHeight_ = 0;
    int tallyWidth_ = 0;
    std::optional<Pair> hovered_;
    std::optional<QPoint> pointer_;  // while over the view
    std::optional<QPoint> framed_;   // the keys' cell: x the column, y the row
};

}  // namespace tarnwick::ui
