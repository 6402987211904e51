#include "ui/balance/BalanceMapView.h"

#include <algorithm>
#include <cmath>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainterPath>
#include <QScrollBar>

namespace tarnwick::ui {

namespace {
constexpr int kLabelGap = 6;
// Cells this small touch: a parting line would leave too little colour.
constexpr int kSmallestPartedCell = 6;
constexpr double kZoomStep = 1.25;
const QColor kBackground(255, 255, 255);
const QColor kOutline(0, 0, 0);
const QColor kComparedOutline(255, 140, 0);
const QColor kHoverLabel(0, 90, 200);
const QString kTallyTitle = "Won / lost / even";

int partingOf(int cellSize) {
    return cellSize >= kSmallestPartedCell ? 1 : 0;
}
}  // namespace

QColor colourOf(const game::Rgb& rgb) {
    return {rgb.red, rgb.green, rgb.blue};
}

void paintOneSidedMark(QPainter& painter, const QRect& cell) {
    QPainterPath corner;
    const int side = cell.width() * 2 / 5;
    corner.moveTo(cell.right() + 1, cell.top());
    corner.lineTo(cell.right() + 1 - side, cell.top());
    corner.lineTo(cell.right() + 1, cell.top() + side);
    corner.closeSubpath();
    painter.fillPath(corner, colourOf(game::kOneSidedMarkColour));
}

BalanceMapView::BalanceMapView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName("balanceMapView");
    viewport()->setObjectName("balanceMapViewport");
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void BalanceMapView::showContent(BalanceMapContent content) {
    content_ = std::move(content);
    tallies_.clear();
    if (content_.matrix) {
        for (const std::size_t unit : content_.scope.rows) {
            tallies_.push_back(game::rowTally(*content_.matrix, content_.scope, unit));
        }
    }
    measureLabels();
    if (framed_ && !pairOf(*framed_)) {
        framed_.reset();
    }
    if (fitted_) {
        fitToWindow();
    }
    updateScrollRange();
    hovered_ = pointer_ ? pairAt(*pointer_) : framed_ ? pairOf(*framed_) : std::nullopt;
    viewport()->update();
}

QString BalanceMapView::nameOf(std::size_t unit) const {
    return unit < static_cast<std::size_t>(content_.names.size())
               ? content_.names[static_cast<int>(unit)]
               : QString("Unit %1").arg(unit);
}

void BalanceMapView::measureLabels() {
    const QFontMetrics metrics(font());
    const auto longest = [&](const std::vector<std::size_t>& units) {
        int widest = 0;
        for (const std::size_t unit : units) {
            widest = std::max(widest, metrics.horizontalAdvance(nameOf(unit)));
        }
        return widest;
    };
    rowLabelWidth_ = longest(content_.scope.rows) + 2 * kLabelGap;
    columnLabelHeight_ =
        std::max(longest(content_.scope.columns), metrics.horizontalAdvance(kTallyTitle)) +
        2 * kLabelGap;
    int widestTally = metrics.height();
    for (const game::RowTally& tally : tallies_) {
        widestTally = std::max(
            widestTally, metrics.horizontalAdvance(QString::fromStdString(game::tallyText(tally))));
    }
    tallyWidth_ = widestTally + 2 * kLabelGap;
}

QRect BalanceMapView::cellArea() const {
    const QSize room = viewport()->size();
    return {rowLabelWidth_, columnLabelHeight_,
            std::max(0, room.width() - rowLabelWidth_ - tallyWidth_),
            std::max(0, room.height() - columnLabelHeight_)};
}

void BalanceMapView::updateScrollRange() {
    const QRect area = cellArea();
    horizontalScrollBar()->setRange(0, std::max(0, columnCount() * cellSize_ - area.width()));
    horizontalScrollBar()->setPageStep(std::max(1, area.width()));
    horizontalScrollBar()->setSingleStep(cellSize_);
    verticalScrollBar()->setRange(0, std::max(0, rowCount() * cellSize_ - area.height()));
    verticalScrollBar()->setPageStep(std::max(1, area.height()));
    verticalScrollBar()->setSingleStep(cellSize_);
}

QRect BalanceMapView::cellRect(int row, int column) const {
    const QRect area = cellArea();
    return {area.x() + column * cellSize_ - horizontalScrollBar()->value(),
            area.y() + row * cellSize_ - verticalScrollBar()->value(), cellSize_, cellSize_};
}

QRect BalanceMapView::tallyRect(int row) const {
    const QRect area = cellArea();
    // Right after the last column where the map is narrower than the window.
    const int left = std::min(area.right() + 1, area.x() + columnCount() * cellSize_);
    return {left, cellRect(row, 0).y(), tallyWidth_, cellSize_};
}

std::optional<QPoint> BalanceMapView::cellAt(const QPoint& point) const {
    const QRect area = cellArea();
    if (!area.contains(point)) {
        return std::nullopt;
    }
    const QPoint cell((point.x() - area.x() + horizontalScrollBar()->value()) / cellSize_,
                      (point.y() - area.y() + verticalScrollBar()->value()) / cellSize_);
    return pairOf(cell) ? std::optional(cell) : std::nullopt;
}

std::optional<BalanceMapView::Pair> BalanceMapView::pairAt(const QPoint& point) const {
    const auto cell = cellAt(point);
    return cell ? pairOf(*cell) : std::nullopt;
}

std::optional<BalanceMapView::Pair> BalanceMapView::pairOf(const QPoint& cell) const {
    if (cell.x() < 0 || cell.y() < 0 || cell.y() >= rowCount() || cell.x() >= columnCount()) {
        return std::nullopt;
    }
    return Pair{content_.scope.rows[static_cast<std::size_t>(cell.y())],
                content_.scope.columns[static_cast<std::size_t>(cell.x())]};
}

int BalanceMapView::labelStride() const {
    const int line = QFontMetrics(font()).height();
    return (line + cellSize_ - 1) / cellSize_;
}

void BalanceMapView::setCellSize(int size) {
    fitted_ = false;
    resizeCells(size);
}

void BalanceMapView::zoomIn() {
    setCellSize(std::max(cellSize_ + 1, static_cast<int>(std::lround(cellSize_ * kZoomStep))));
}

void BalanceMapView::zoomOut() {
    setCellSize(std::min(cellSize_ - 1, static_cast<int>(std::lround(cellSize_ / kZoomStep))));
}

void BalanceMapView::fitToWindow() {
    fitted_ = true;
    // The room without scroll bars: a map that fits needs none.
    const QSize room = maximumViewportSize();
    const int width = room.width() - rowLabelWidth_ - tallyWidth_;
    const int height = room.height() - columnLabelHeight_;
    const int across = columnCount() > 0 ? width / columnCount() : kLargestCell;
    const int down = rowCount() > 0 ? height / rowCount() : kLargestCell;
    resizeCells(std::min(across, down));
}

void BalanceMapView::resizeCells(int size) {
    size = std::clamp(size, kSmallestCell, kLargestCell);
    if (size == cellSize_) {
        return;
    }
    const QRect area = cellArea();
    const double middleX =
        (horizontalScrollBar()->value() + area.width() / 2.0) / static_cast<double>(cellSize_);
    const double middleY =
        (verticalScrollBar()->value() + area.height() / 2.0) / static_cast<double>(cellSize_);
    cellSize_ = size;
    updateScrollRange();
    horizontalScrollBar()->setValue(
        static_cast<int>(std::lround(middleX * size - area.width() / 2.0)));
    verticalScrollBar()->setValue(
        static_cast<int>(std::lround(middleY * size - area.height() / 2.0)));
    if (pointer_) {
        hover(pairAt(*pointer_));
    }
    viewport()->update();
    emit cellSizeChanged();
}

void BalanceMapView::showCell(int row, int column) {
    const QRect area = cellArea();
    const auto scrollTo = [](QScrollBar* bar, int start, int length, int seen) {
        if (start < bar->value()) {
            bar->setValue(start);
        } else if (start + length > bar->value() + seen) {
            bar->setValue(start + length - seen);
        }
    };
    scrollTo(horizontalScrollBar(), column * cellSize_, cellSize_, area.width());
    scrollTo(verticalScrollBar(), row * cellSize_, cellSize_, area.height());
}

void BalanceMapView::frame(const QPoint& cell) {
    framed_ = cell;
    showCell(cell.y(), cell.x());
    viewport()->update();
    hover(pairOf(cell));
}

void BalanceMapView::frameRow(int row) {
    if (row < 0 || row >= rowCount() || columnCount() == 0) {
        return;
    }
    frame({framed_ ? framed_->x() : 0, row});
}

void BalanceMapView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (fitted_) {
        fitToWindow();
    }
    updateScrollRange();
}

void BalanceMapView::scrollContentsBy(int, int) {
    if (pointer_) {
        hover(pairAt(*pointer_));
    }
    viewport()->update();
}

void BalanceMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kBackground);
    if (!content_.matrix) {
        return;
    }
    paintCells(painter, event->rect());
    paintRowNames(painter);
    paintColumnNames(painter);
    paintTallies(painter);
}

void BalanceMapView::paintCells(QPainter& painter, const QRect& dirty) const {
    const QRect area = cellArea();
    const QRect shown = area.intersected(dirty);
    if (shown.isEmpty()) {
        return;
    }
    painter.save();
    painter.setClipRect(area);
    const int firstColumn = (shown.left() - area.x() + horizontalScrollBar()->value()) / cellSize_;
    const int firstRow = (shown.top() - area.y() + verticalScrollBar()->value()) / cellSize_;
    const int lastColumn = std::min(
        columnCount() - 1, (shown.right() - area.x() + horizontalScrollBar()->value()) / cellSize_);
    const int lastRow = std::min(
        rowCount() - 1, (shown.bottom() - area.y() + verticalScrollBar()->value()) / cellSize_);
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            paintCell(painter, row, column);
        }
    }
    painter.restore();
}

void BalanceMapView::paintCell(QPainter& painter, int row, int column) const {
    const std::size_t a = content_.scope.rows[static_cast<std::size_t>(row)];
    const std::size_t b = content_.scope.columns[static_cast<std::size_t>(column)];
    const game::BalanceMapScope& scope = content_.scope;
    const game::DuelTimes times = content_.matrix->duel(a, b, scope.start);
    const game::DuelCosts costs = content_.matrix->costs(a, b);
    const int parting = partingOf(cellSize_);
    const QRect cell = cellRect(row, column).adjusted(0, 0, -parting, -parting);
    painter.fillRect(cell, colourOf(game::cellColour(times, costs, scope.shows, content_.scale)));
    if (game::hasOneSidedMark(times, costs, scope.shows)) {
        paintOneSidedMark(painter, cell);
    }
    const QRect inside = cell.adjusted(1, 1, -1, -1);
    if (hasFocus() && framed_ == QPoint(column, row)) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(inside);
    }
    if (content_.outlinedAgainst && content_.outlinedAgainst->duel(a, b, scope.start) != times) {
        painter.setPen(QPen(kOutline, 2));
        painter.drawRect(inside);
    }
    if (content_.comparedWith && game::standingDiffers(*content_.matrix, *content_.comparedWith, a,
                                                       b, scope.start, scope.shows)) {
        painter.setPen(QPen(kComparedOutline, 2));
        painter.drawRect(inside);
    }
}

void BalanceMapView::paintRowNames(QPainter& painter) const {
    const QRect area = cellArea();
    const int line = QFontMetrics(font()).height();
    const int stride = labelStride();
    painter.save();
    // Half a line into the empty corner above: the first name is whole.
    painter.setClipRect(QRect(0, area.y() - line / 2, rowLabelWidth_, area.height() + line / 2));
    const auto write = [&](int row, bool lit) {
        const QRect cell = cellRect(row, 0);
        const QRect place(kLabelGap, cell.center().y() - line / 2, rowLabelWidth_ - 2 * kLabelGap,
                          line);
        if (lit) {
            painter.fillRect(place, kBackground);
        }
        painter.setPen(lit ? kHoverLabel : palette().color(QPalette::Text));
        painter.drawText(place, Qt::AlignRight | Qt::AlignVCenter,
                         nameOf(content_.scope.rows[static_cast<std::size_t>(row)]));
    };
    std::optional<int> litRow;
    for (int row = 0; row < rowCount(); ++row) {
        const QRect cell = cellRect(row, 0);
        if (cell.bottom() + line < area.top() || cell.top() - line > area.bottom()) {
            continue;
        }
        const bool lit =
            hovered_ && content_.scope.rows[static_cast<std::size_t>(row)] == hovered_->a;
        if (lit) {
            litRow = row;
        } else if (row % stride == 0) {
            write(row, false);
        }
    }
    // The lit name over its thinned neighbours, always.
    if (litRow) {
        write(*litRow, true);
    }
    painter.restore();
}

void BalanceMapView::paintColumnNames(QPainter& painter) const {
    const QRect area = cellArea();
    const int line = QFontMetrics(font()).height();
    const int stride = labelStride();
    painter.save();
    painter.setClipRect(QRect(area.x() - line / 2, 0, area.width() + line / 2, columnLabelHeight_));
    // Column names stand upright, read from the bottom, ending just above their column.
    painter.rotate(-90);
    const auto write = [&](int column, bool lit) {
        const QRect cell = cellRect(0, column);
        const QRect place(-(columnLabelHeight_ - kLabelGap), cell.center().x() - line / 2,
                          columnLabelHeight_ - 2 * kLabelGap, line);
        if (lit) {
            painter.fillRect(place, kBackground);
        }
        painter.setPen(lit ? kHoverLabel : palette().color(QPalette::Text));
        painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter,
                         nameOf(content_.scope.columns[static_cast<std::size_t>(column)]));
    };
    std::optional<int> litColumn;
    for (int column = 0; column < columnCount(); ++column) {
        const QRect cell = cellRect(0, column);
        if (cell.right() + line < area.left() || cell.left() - line > area.right()) {
            continue;
        }
        const bool lit =
            hovered_ && content_.scope.columns[static_cast<std::size_t>(column)] == hovered_->b;
        if (lit) {
            litColumn = column;
        } else if (column % stride == 0) {
            write(column, false);
        }
    }
    if (litColumn) {
        write(*litColumn, true);
    }
    painter.restore();
}

void BalanceMapView::paintTallies(QPainter& painter) const {
    const QRect area = cellArea();
    const int line = QFontMetrics(font()).height();
    const int stride = labelStride();
    const int left = tallyRect(0).x();
    painter.save();
    painter.setPen(palette().color(QPalette::Text));
    painter.rotate(-90);
    painter.drawText(QRect(-(columnLabelHeight_ - kLabelGap), left + kLabelGap,
                           columnLabelHeight_ - 2 * kLabelGap, line),
                     Qt::AlignLeft | Qt::AlignVCenter, kTallyTitle);
    painter.restore();
    painter.save();
    painter.setClipRect(QRect(left, area.y() - line / 2, tallyWidth_, area.height() + line / 2));
    for (int row = 0; row < rowCount(); ++row) {
        const QRect cell = tallyRect(row);
        const bool lit =
            hovered_ && content_.scope.rows[static_cast<std::size_t>(row)] == hovered_->a;
        if ((row % stride != 0 && !lit) || cell.bottom() + line < area.top() ||
            cell.top() - line > area.bottom()) {
            continue;
        }
        const QRect place(left + kLabelGap, cell.center().y() - line / 2,
                          tallyWidth_ - 2 * kLabelGap, line);
        painter.fillRect(place, kBackground);
        painter.setPen(lit ? kHoverLabel : palette().color(QPalette::Text));
        painter.drawText(
            place, Qt::AlignLeft | Qt::AlignVCenter,
            QString::fromStdString(game::tallyText(tallies_[static_cast<std::size_t>(row)])));
    }
    painter.restore();
}

void BalanceMapView::hover(std::optional<Pair> pair) {
    const bool same = pair.has_value() == hovered_.has_value() &&
                      (!pair || (pair->a == hovered_->a && pair->b == hovered_->b));
    if (same) {
        return;
    }
    hovered_ = pair;
    viewport()->update();
    emit pairHovered(pair);
}

void BalanceMapView::keyPressEvent(QKeyEvent* event) {
    QPoint step;
    switch (event->key()) {
        case Qt::Key_Left:
            step = {-1, 0};
            break;
        case Qt::Key_Right:
            step = {1, 0};
            break;
        case Qt::Key_Up:
            step = {0, -1};
            break;
        case Qt::Key_Down:
            step = {0, 1};
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (const auto pair = framed_ ? pairOf(*framed_) : std::nullopt) {
                emit pairClicked(*pair);
            }
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    const QPoint moved = framed_ ? *framed_ + step : QPoint(0, 0);
    if (pairOf(moved)) {  // else the edge of the map
        frame(moved);
    }
}

void BalanceMapView::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    hover(pairAt(*pointer_));
}

bool BalanceMapView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) {
        pointer_.reset();
        hover(framed_ ? pairOf(*framed_) : std::nullopt);
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void BalanceMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (const auto cell = cellAt(event->position().toPoint())) {
        framed_ = *cell;
        viewport()->update();
        emit pairClicked(*pairOf(*cell));
    }
}

void BalanceMapView::wheelEvent(QWheelEvent* event) {
    if ((event->modifiers() & Qt::ControlModifier) == 0) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int turn = event->angleDelta().y();
    if (turn > 0) {
        zoomIn();
    } else if (turn < 0) {
        zoomOut();
    }
    event->accept();
}

}  // namespace tarnwick::ui
