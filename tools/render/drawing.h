#pragma once
// Pictures of tool paths: cuts as strokes as wide as a V-bit's groove at the
// engraving depth, rapid moves faint and dashed, character cells with their
// base lines.

#include "simulation/cell_check.h"
#include "simulation/moves.h"

#include <QColor>
#include <QPainter>
#include <QString>

#include <span>

namespace velmora::render {

struct View {
    double pixelsPerUnit = 14;  // one drawing unit (mm, or glyph unit at scale 1)
    QPointF origin;             // pixel position of drawing point (0, 0)
    QPointF toPixels(double x, double y) const;
};

// Width of the drawn cut, in drawing units: about the groove of a 60 degree
// V-bit 0.2 mm deep with a small flat, at 4 mm characters.
constexpr double kGrooveWidth = 0.3;

void drawMoves(QPainter& painter, const View& view, std::span<const simulation::Move> moves);

// The cell outline, the program's base (the cell bottom) and the font's own
// guide lines: base line, x-height and capital height, when `guides` is set.
void drawCell(QPainter& painter, const View& view, const simulation::Cell& cell, bool guides);

void drawLabel(QPainter& painter, QPointF at, const QString& text, const QColor& colour = Qt::black);

}  // namespace velmora::render
