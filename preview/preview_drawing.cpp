#include "preview_drawing.h"

#include <QPainter>
#include <QPen>

#include <algorithm>

namespace velmora::preview {
namespace {

// Arcs are traced finely enough that no facet shows at any sensible zoom on
// characters a few millimetres high.
constexpr double kArcStepRadians = 0.05;

// Nothing to fit but the origin: show a few characters' worth around it.
constexpr double kSmallestArea = 20;

bool movesInPlane(const simulation::Move& move)
{
    return move.isArc() || move.start.x != move.end.x || move.start.y != move.end.y;
}

// Consecutive moves of one kind make one polyline, so that a stroke turns its
// corners with a join rather than two loose ends.
void addTrace(std::vector<QPolygonF>& polylines, const simulation::Move& move)
{
    const QPointF start(move.start.x, move.start.y);
    if (polylines.empty() || polylines.back().isEmpty() || polylines.back().back() != start)
        polylines.push_back(QPolygonF{start});
    QPolygonF& polyline = polylines.back();
    const std::vector<simulation::Point> points = simulation::tracePoints(move, kArcStepRadians);
    for (std::size_t i = 1; i < points.size(); ++i)
        polyline.append(QPointF(points[i].x, points[i].y));
}

// One polyline at a time: the stroker's cost grows much faster than the
// number of points when a whole program goes through it as one path.
void drawPolylines(QPainter& painter, const std::vector<QPolygonF>& polylines)
{
    for (const QPolygonF& polyline : polylines)
        painter.drawPolyline(polyline);
}

// Flat ends and mitred corners: round ones cost the stroker several times as
// much on a long program, and at two pixels nobody sees the difference.
QPen cosmeticPen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style, Qt::FlatCap, Qt::MiterJoin);
    pen.setCosmetic(true);
    return pen;
}

QRectF rangesRect(const Range& x, const Range& y)
{
    return QRectF(QPointF(x.low, y.low), QPointF(x.high, y.high));
}

// The plate in the part of the drawing the viewport shows: an axis whose
// edges the program does not know runs past both sides of the view.
void paintPlate(QPainter& painter, const PlateExtent& plate, const QRectF& shown, const PreviewColours& colours)
{
    if (!plate.x && !plate.y)
        return;
    const Range x = plate.x.value_or(Range{shown.left() - 1, shown.right() + 1});
    const Range y = plate.y.value_or(Range{shown.top() - 1, shown.bottom() + 1});
    const QRectF area = rangesRect(x, y);
    painter.fillRect(area, colours.plate);
    painter.setPen(cosmeticPen(colours.plateEdge, 1.5));
    if (plate.x) {
        painter.drawLine(QPointF(x.low, y.low), QPointF(x.low, y.high));
        painter.drawLine(QPointF(x.high, y.low), QPointF(x.high, y.high));
    }
    if (plate.y) {
        painter.drawLine(QPointF(x.low, y.low), QPointF(x.high, y.low));
        painter.drawLine(QPointF(x.low, y.high), QPointF(x.high, y.high));
    }
}

void paintOrigin(QPainter& painter, QPointF at, const QColor& colour)
{
    constexpr double kArm = 9;
    constexpr double kRing = 4;
    painter.setPen(cosmeticPen(colour, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(at - QPointF(kArm, 0), at + QPointF(kArm, 0));
    painter.drawLine(at - QPointF(0, kArm), at + QPointF(0, kArm));
    painter.drawEllipse(at, kRing, kRing);
    painter.drawText(at + QPointF(kRing + 3, -kRing - 3), QStringLiteral("OP"));
}

void include(double& low, double& high, double a, double b)
{
    low = std::min({low, a, b});
    high = std::max({high, a, b});
}

}  // namespace

PreviewScene sceneOf(const ToolpathPreview& preview, const PlateExtent& plate)
{
    PreviewScene scene;
    for (const simulation::Move& move : preview.interpretation.moves)
        if (movesInPlane(move))
            addTrace(move.isCut() ? scene.cuts : scene.rapids, move);
    const simulation::Bounds& cuts = preview.cuts;
    if (!cuts.empty)
        scene.block = QRectF(QPointF(cuts.minX, cuts.minY), QPointF(cuts.maxX, cuts.maxY));
    scene.plate = plate;
    return scene;
}

QTransform ViewPlacement::transform() const
{
    return QTransform(scale, 0, 0, -scale, originPixel.x(), originPixel.y());
}

QPointF ViewPlacement::toPixel(QPointF millimetres) const
{
    return transform().map(millimetres);
}

QPointF ViewPlacement::toMillimetres(QPointF pixel) const
{
    return transform().inverted().map(pixel);
}

void ViewPlacement::zoomAbout(QPointF pixel, double factor)
{
    originPixel = pixel + (originPixel - pixel) * factor;
    scale *= factor;
}

QRectF fitArea(const PreviewScene& scene)
{
    double left = 0, right = 0, bottom = 0, top = 0;  // the origin is always shown
    if (scene.block) {
        include(left, right, scene.block->left(), scene.block->right());
        include(bottom, top, scene.block->top(), scene.block->bottom());
    }
    if (scene.plate.x)
        include(left, right, scene.plate.x->low, scene.plate.x->high);
    if (scene.plate.y)
        include(bottom, top, scene.plate.y->low, scene.plate.y->high);
    QRectF area(QPointF(left, bottom), QPointF(right, top));
    if (area.width() <= 0 && area.height() <= 0)
        area.adjust(-kSmallestArea / 2, -kSmallestArea / 2, kSmallestArea / 2, kSmallestArea / 2);
    return area;
}

ViewPlacement fitView(const QRectF& area, const QSizeF& viewport, double marginPixels)
{
    const double roomX = std::max(1.0, viewport.width() - 2 * marginPixels);
    const double roomY = std::max(1.0, viewport.height() - 2 * marginPixels);
    // A block one stroke thin has no width (or height) to fit; the other side
    // sets the scale then.
    double scale = 0;
    if (area.width() > 0)
        scale = roomX / area.width();
    if (area.height() > 0)
        scale = scale > 0 ? std::min(scale, roomY / area.height()) : roomY / area.height();
    ViewPlacement view;
    view.scale = scale;
    const QPointF centrePixel(viewport.width() / 2, viewport.height() / 2);
    view.originPixel = centrePixel - QPointF(area.center().x() * scale, -area.center().y() * scale);
    return view;
}

void paintPreview(QPainter& painter, const PreviewScene& scene, const ViewPlacement& view, const QRectF& viewport,
                  const PreviewColours& colours)
{
    painter.save();
    painter.fillRect(viewport, colours.background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(viewport);
    const QRectF shown = view.transform().inverted().mapRect(viewport).normalized();
    painter.setTransform(view.transform(), true);
    paintPlate(painter, scene.plate, shown, colours);
    painter.setBrush(Qt::NoBrush);
    // A transparent colour hides the rapid moves: they are not traced at all.
    if (colours.rapid.alpha() > 0) {
        painter.setPen(cosmeticPen(colours.rapid, 1, Qt::DashLine));
        drawPolylines(painter, scene.rapids);
    }
    painter.setPen(cosmeticPen(colours.cut, 2));
    drawPolylines(painter, scene.cuts);
    if (scene.block) {
        painter.setPen(cosmeticPen(colours.block, 1, Qt::DotLine));
        painter.drawRect(*scene.block);
    }
    painter.restore();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintOrigin(painter, view.toPixel(QPointF(0, 0)), colours.origin);
    painter.restore();
}

void paintResumeMarks(QPainter& painter, const std::vector<QPolygonF>& engraved, const std::optional<QRectF>& highlight,
                      const ViewPlacement& view)
{
    if (engraved.empty() && !highlight)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(view.transform(), true);
    if (highlight) {
        painter.fillRect(*highlight, QColor(255, 210, 0, 110));
        painter.setPen(cosmeticPen(QColor(200, 120, 0), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(*highlight);
    }
    painter.setPen(cosmeticPen(QColor(16, 32, 112, 70), 2));
    drawPolylines(painter, engraved);
    painter.restore();
}

QImage renderPreview(const PreviewScene& scene, QSize size, const PreviewColours& colours)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    const QRectF viewport(QPointF(0, 0), QSizeF(size));
    paintPreview(painter, scene, fitView(fitArea(scene), viewport.size()), viewport, colours);
    painter.end();
    return image;
}

}  // namespace velmora::preview
