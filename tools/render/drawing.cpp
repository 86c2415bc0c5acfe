#include "drawing.h"

#include "fontgen/font_metrics.h"

#include <QPainterPath>

namespace velmora::render {

QPointF View::toPixels(double x, double y) const
{
    return {origin.x() + x * pixelsPerUnit, origin.y() - y * pixelsPerUnit};
}

namespace {

QPainterPath pathOf(const View& view, const simulation::Move& move)
{
    QPainterPath path;
    bool first = true;
    for (const simulation::Point& p : simulation::tracePoints(move, 0.05)) {
        const QPointF px = view.toPixels(p.x, p.y);
        if (first)
            path.moveTo(px);
        else
            path.lineTo(px);
        first = false;
    }
    return path;
}

bool movesInPlane(const simulation::Move& move)
{
    return move.isArc() || move.start.x != move.end.x || move.start.y != move.end.y;
}

}  // namespace

void drawMoves(QPainter& painter, const View& view, std::span<const simulation::Move> moves)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen rapid(QColor(70, 130, 220, 140), 1, Qt::DashLine);
    rapid.setCosmetic(true);
    QPen cut(QColor(20, 20, 20), kGrooveWidth * view.pixelsPerUnit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setBrush(Qt::NoBrush);
    for (const simulation::Move& m : moves) {
        if (!movesInPlane(m)) {
            if (m.isCut() && m.end.z < m.start.z) {  // a plunge marks the groove with a point
                painter.setPen(cut);
                painter.drawPoint(view.toPixels(m.end.x, m.end.y));
            }
            continue;
        }
        painter.setPen(m.isCut() ? cut : rapid);
        painter.drawPath(pathOf(view, m));
    }
    painter.restore();
}

void drawCell(QPainter& painter, const View& view, const simulation::Cell& cell, bool guides)
{
    painter.save();
    const QPointF topLeft = view.toPixels(cell.x, cell.y + cell.height);
    const QPointF bottomRight = view.toPixels(cell.x + cell.width, cell.y);
    painter.setPen(QPen(QColor(190, 190, 190), 1));
    painter.drawRect(QRectF(topLeft, bottomRight));
    painter.setPen(QPen(QColor(200, 60, 60), 1));
    painter.drawLine(view.toPixels(cell.x, cell.y), bottomRight);
    if (guides) {
        const double unit = cell.width / fontgen::kCellWidth;
        auto guide = [&](double y, const QColor& colour) {
            painter.setPen(QPen(colour, 1, Qt::DotLine));
            painter.drawLine(view.toPixels(cell.x, cell.y + y * unit), view.toPixels(cell.x + cell.width, cell.y + y * unit));
        };
        guide(fontgen::kBase, QColor(60, 140, 60));
        guide(fontgen::kXHeight, QColor(200, 200, 230));
        guide(fontgen::kCapHeight, QColor(200, 200, 230));
    }
    painter.restore();
}

void drawLabel(QPainter& painter, QPointF at, const QString& text, const QColor& colour)
{
    painter.save();
    painter.setPen(colour);
    painter.drawText(at, text);
    painter.restore();
}

}  // namespace velmora::render
