#include "name_plate.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <random>

namespace velmora {
namespace {

constexpr QRect kPlate(0, 0, kNamePlateWidth, kNamePlateHeight);

// Brushed metal: every row a slightly different grey, with short brighter and
// darker strokes along it, as a brush leaves them.
void drawBrushedMetal(QPainter& painter)
{
    std::minstd_rand random(1907);
    std::uniform_int_distribution<int> rowShade(-14, 14);
    std::uniform_int_distribution<int> strokeShade(-30, 30);
    std::uniform_int_distribution<int> strokeStart(-40, kNamePlateWidth);
    std::uniform_int_distribution<int> strokeLength(20, 90);

    for (int y = 0; y < kNamePlateHeight; ++y) {
        const int grey = 158 + rowShade(random);
        painter.setPen(QColor(grey, grey, grey + 4));
        painter.drawLine(0, y, kNamePlateWidth - 1, y);
        for (int stroke = 0; stroke < 3; ++stroke) {
            const int shade = std::clamp(grey + strokeShade(random), 0, 255);
            painter.setPen(QColor(shade, shade, std::min(shade + 4, 255)));
            const int x = strokeStart(random);
            painter.drawLine(x, y, x + strokeLength(random), y);
        }
    }

    // A soft sheen across the plate, lighter at the top.
    QLinearGradient sheen(0, 0, 0, kNamePlateHeight);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 70));
    sheen.setColorAt(0.45, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(0, 0, 0, 60));
    painter.fillRect(kPlate, sheen);
}

void drawBevel(QPainter& painter)
{
    const QColor light(235, 235, 238), dark(70, 70, 74);
    for (int i = 0; i < 2; ++i) {
        painter.setPen(light);
        painter.drawLine(i, i, kNamePlateWidth - 1 - i, i);
        painter.drawLine(i, i, i, kNamePlateHeight - 1 - i);
        painter.setPen(dark);
        painter.drawLine(i, kNamePlateHeight - 1 - i, kNamePlateWidth - 1 - i, kNamePlateHeight - 1 - i);
        painter.drawLine(kNamePlateWidth - 1 - i, i, kNamePlateWidth - 1 - i, kNamePlateHeight - 1 - i);
    }
}

void drawScrew(QPainter& painter, QPointF centre)
{
    QRadialGradient head(centre - QPointF(1.5, 1.5), 6);
    head.setColorAt(0, QColor(230, 230, 232));
    head.setColorAt(1, QColor(110, 110, 115));
    painter.setPen(QPen(QColor(60, 60, 64), 0.8));
    painter.setBrush(head);
    painter.drawEllipse(centre, 4.5, 4.5);
    painter.setPen(QPen(QColor(50, 50, 54), 1.2));
    painter.drawLine(centre + QPointF(-3, 1.5), centre + QPointF(3, -1.5));
}

// The name as an outline scaled to fill the middle of the plate, so the
// picture does not depend on the size of whatever font is installed.
QPainterPath namePath()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(40);
    QPainterPath path;
    path.addText(0, 0, font, QStringLiteral("VELMORA"));

    const QRectF box(14, 36, kNamePlateWidth - 28, 48);
    const QRectF bounds = path.boundingRect();
    QTransform fit;
    fit.translate(box.left(), box.top());
    fit.scale(box.width() / bounds.width(), box.height() / bounds.height());
    fit.translate(-bounds.left(), -bounds.top());
    return fit.map(path);
}

void drawName(QPainter& painter)
{
    const QPainterPath name = namePath();

    // Engraved look: a dark shadow below right, a light edge above left.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 36, 20, 170));
    painter.drawPath(name.translated(2, 2));
    painter.setBrush(QColor(255, 255, 255, 120));
    painter.drawPath(name.translated(-1, -1));

    QLinearGradient gold(0, 36, 0, 84);
    gold.setColorAt(0.0, QColor(255, 240, 90));
    gold.setColorAt(0.5, QColor(250, 210, 0));
    gold.setColorAt(1.0, QColor(215, 160, 0));
    painter.setBrush(gold);
    painter.setPen(QPen(QColor(120, 85, 0), 1));
    painter.drawPath(name);
}

}  // namespace

QImage drawNamePlate()
{
    QImage image(kNamePlateWidth, kNamePlateHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    drawBrushedMetal(painter);
    drawBevel(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const QPointF corner : {QPointF(10, 10), QPointF(kNamePlateWidth - 10, 10),
                                 QPointF(10, kNamePlateHeight - 10),
                                 QPointF(kNamePlateWidth - 10, kNamePlateHeight - 10)})
        drawScrew(painter, corner);
    drawName(painter);
    return image;
}

}  // namespace velmora
