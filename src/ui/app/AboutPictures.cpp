#include "ui/app/AboutPictures.h"

#include <functional>

#include <QPainter>
#include <QPainterPath>

namespace tarnwick::ui {

namespace {

const QColor kFieldTop(0x4f, 0x7a, 0x3a);
const QColor kFieldBottom(0x2c, 0x4a, 0x22);
const QColor kFieldEdge(0x1d, 0x32, 0x16);
const QColor kWood(0x9a, 0x64, 0x2c);
const QColor kDarkWood(0x5e, 0x3a, 0x16);
const QColor kBrass(0xe0, 0xb8, 0x4c);
const QColor kInk(0x3a, 0x2a, 0x10);

// A rounded green field, as behind the icon; pictures are drawn on a 256-unit square.
QPixmap onField(int side, const std::function<void(QPainter&)>& draw) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / 256.0, side / 256.0);
    QLinearGradient field(0, 12, 0, 244);
    field.setColorAt(0, kFieldTop);
    field.setColorAt(1, kFieldBottom);
    painter.setBrush(field);
    painter.setPen(QPen(kFieldEdge, 6));
    painter.drawRoundedRect(QRectF(12, 12, 232, 232), 40, 40);
    draw(painter);
    return picture;
}

}  // namespace

QPixmap iconPicture(int side) {
    return QPixmap(":/icons/tarnwick-128.png")
        .scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QPixmap archivePicture(int side) {
    return onField(side, [](QPainter& painter) {
        painter.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // The lid, arched, over the body of the chest.
        QPainterPath lid;
        lid.moveTo(52, 120);
        lid.cubicTo(52, 70, 204, 70, 204, 120);
        lid.closeSubpath();
        painter.setBrush(kWood);
        painter.drawPath(lid);
        painter.drawRect(QRectF(52, 120, 152, 84));
        painter.setBrush(kDarkWood);
        for (const qreal x : {80.0, 164.0}) {
            painter.drawRect(QRectF(x, 84, 12, 120));
        }
        painter.setBrush(kBrass);
        painter.drawRoundedRect(QRectF(114, 110, 28, 36), 6, 6);
        painter.drawEllipse(QPointF(128, 124), 4, 4);
    });
}

QPixmap soundPicture(int side) {
    return onField(side, [](QPainter& painter) {
        painter.setPen(QPen(kInk, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        // A horn: mouthpiece on the left, bell on the right.
        QPainterPath horn;
        horn.moveTo(48, 116);
        horn.lineTo(120, 104);
        horn.cubicTo(140, 100, 150, 70, 158, 62);
        horn.lineTo(158, 194);
        horn.cubicTo(150, 186, 140, 156, 120, 152);
        horn.lineTo(48, 140);
        horn.closeSubpath();
        painter.setBrush(kBrass);
        painter.drawPath(horn);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0xf3, 0xe3, 0xb5), 8, Qt::SolidLine, Qt::RoundCap));
        for (const int reach : {26, 50}) {
            painter.drawArc(QRectF(158 - reach, 128 - 2 * reach, 2 * reach, 4 * reach), -50 * 16,
                            100 * 16);
        }
    });
}

}  // namespace tarnwick::ui
