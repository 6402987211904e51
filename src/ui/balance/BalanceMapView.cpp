#include "ui/balance/BalanceMapView.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace tarnwick::ui {

namespace {
constexpr int kCellSize = 16;
constexpr int kLabelGap = 6;
// A cell's colour leaves a line of the background around it, so neighbours stay apart.
constexpr int kCellGap = 1;
const QColor kBackground(255, 255, 255);
const QColor kOutline(0, 0, 0);
const QColor kHoverLabel(0, 90, 200);
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

BalanceMapView::BalanceMapView(QWidget* parent) : QWidget(parent) {
    setObjectName("balanceMapView");
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void BalanceMapView::showContent(BalanceMapContent content) {
    content_ = std::move(content);
    measureLabels();
    if (framed_ && !pairOf(*framed_)) {
        framed_.reset();
    }
    hovered_ = pointer_ ? pairAt(*pointer_) : framed_ ? pairOf(*framed_) : std::nullopt;
    resize(sizeHint());
    updateGeometry();
    update();
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
        return widest + 2 * kLabelGap;
    };
    rowLabelWidth_ = longest(content_.scope.rows);
    columnLabelHeight_ = longest(content_.scope.columns);
}

QSize BalanceMapView::sizeHint() const {
    return {
        rowLabelWidth_ + static_cast<int>(content_.scope.columns.size()) * kCellSize + kLabelGap,
        columnLabelHeight_ + static_cast<int>(content_.scope.rows.size()) * kCellSize + kLabelGap};
}

QRect BalanceMapView::cellRect(int row, int column) const {
    return {rowLabelWidth_ + column * kCellSize, columnLabelHeight_ + row * kCellSize, kCellSize,
            kCellSize};
}

std::optional<BalanceMapView::Pair> BalanceMapView::pairAt(const QPoint& point) const {
    const int x = point.x() - rowLabelWidth_;
    const int y = point.y() - columnLabelHeight_;
    if (x < 0 || y < 0) {
        return std::nullopt;
    }
    return pairOf({x / kCellSize, y / kCellSize});
}

std::optional<BalanceMapView::Pair> BalanceMapView::pairOf(const QPoint& cell) const {
    const auto column = static_cast<std::size_t>(cell.x());
    const auto row = static_cast<std::size_t>(cell.y());
    if (cell.x() < 0 || cell.y() < 0 || row >= content_.scope.rows.size() ||
        column >= content_.scope.columns.size()) {
        return std::nullopt;
    }
    return Pair{content_.scope.rows[row], content_.scope.columns[column]};
}

void BalanceMapView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), kBackground);
    if (!content_.matrix) {
        return;
    }
    paintLabels(painter);
    const QRect dirty = event->rect();
    for (int row = 0; row < static_cast<int>(content_.scope.rows.size()); ++row) {
        for (int column = 0; column < static_cast<int>(content_.scope.columns.size()); ++column) {
            if (cellRect(row, column).intersects(dirty)) {
                paintCell(painter, row, column);
            }
        }
    }
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
            QWidget::keyPressEvent(event);
            return;
    }
    const QPoint moved = framed_ ? *framed_ + step : QPoint(0, 0);
    if (!pairOf(moved)) {
        return;  // the edge of the map
    }
    framed_ = moved;
    update();
    emit cellFramed(cellRect(moved.y(), moved.x()));
    hover(pairOf(moved));
}

void BalanceMapView::paintLabels(QPainter& painter) const {
    const auto penFor = [&](std::size_t unit, bool row) {
        const bool lit = hovered_ && (row ? hovered_->a : hovered_->b) == unit;
        return lit ? kHoverLabel : palette().color(QPalette::Text);
    };
    for (int row = 0; row < static_cast<int>(content_.scope.rows.size()); ++row) {
        const std::size_t unit = content_.scope.rows[static_cast<std::size_t>(row)];
        const QRect cell = cellRect(row, 0);
        painter.setPen(penFor(unit, true));
        painter.drawText(QRect(kLabelGap, cell.top(), rowLabelWidth_ - 2 * kLabelGap, kCellSize),
                         Qt::AlignRight | Qt::AlignVCenter, nameOf(unit));
    }
    // Column names stand upright, read from the bottom, ending just above their column.
    painter.save();
    painter.rotate(-90);
    for (int column = 0; column < static_cast<int>(content_.scope.columns.size()); ++column) {
        const std::size_t unit = content_.scope.columns[static_cast<std::size_t>(column)];
        const QRect cell = cellRect(0, column);
        painter.setPen(penFor(unit, false));
        painter.drawText(QRect(-(columnLabelHeight_ - kLabelGap), cell.left(),
                               columnLabelHeight_ - 2 * kLabelGap, kCellSize),
                         Qt::AlignLeft | Qt::AlignVCenter, nameOf(unit));
    }
    painter.restore();
}

void BalanceMapView::paintCell(QPainter& painter, int row, int column) const {
    const std::size_t a = content_.scope.rows[static_cast<std::size_t>(row)];
    const std::size_t b = content_.scope.columns[static_cast<std::size_t>(column)];
    const game::DuelTimes times = content_.matrix->duel(a, b, content_.scope.start);
    const QRect cell = cellRect(row, column).adjusted(0, 0, -kCellGap, -kCellGap);
    painter.fillRect(cell, colourOf(game::cellColour(times, content_.scope.shows, content_.scale)));
    if (game::hasOneSidedMark(times, content_.scope.shows)) {
        paintOneSidedMark(painter, cell);
    }
    if (hasFocus() && framed_ == QPoint(column, row)) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
    if (content_.outlinedAgainst &&
        content_.outlinedAgainst->duel(a, b, content_.scope.start) != times) {
        painter.setPen(QPen(kOutline, 2));
        painter.drawRect(cell.adjusted(1, 1, -1, -1));
    }
}

void BalanceMapView::hover(std::optional<Pair> pair) {
    const bool same = pair.has_value() == hovered_.has_value() &&
                      (!pair || (pair->a == hovered_->a && pair->b == hovered_->b));
    if (same) {
        return;
    }
    hovered_ = pair;
    update();
    emit pairHovered(pair);
}

void BalanceMapView::mouseMoveEvent(QMouseEvent* event) {
    pointer_ = event->position().toPoint();
    hover(pairAt(*pointer_));
}

void BalanceMapView::leaveEvent(QEvent* event) {
    pointer_.reset();
    hover(framed_ ? pairOf(*framed_) : std::nullopt);
    QWidget::leaveEvent(event);
}

void BalanceMapView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (const auto pair = pairAt(point)) {
        framed_ = QPoint((point.x() - rowLabelWidth_) / kCellSize,
                         (point.y() - columnLabelHeight_) / kCellSize);
        update();
        emit pairClicked(*pair);
    }
}

}  // namespace tarnwick::ui
