#include "preview_drawing.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace velmora::preview {
namespace {

// Nothing to fit but the origin: show a few characters' worth around it.
constexpr double kSmallestArea = 20;

// A polyline this long is handed to the painter in parts: the stroker's cost
// grows much faster than the number of points when a whole program goes
// through it as one path.
constexpr qsizetype kMostPolylinePoints = 512;

// However far the view zooms into an arc, it is not cut finer than this.
constexpr int kMostArcSegments = 1 << 14;

// Turns pieces of path into pixel polylines: straight moves by their end
// points, arcs cut to the view's tolerance, points too close to the last one
// kept left out. The last point of a path is always kept, so ends and corners
// where the path stops stay exact.
class PixelTracer {
public:
    PixelTracer(const ViewPlacement& view, const TraceDetail& detail, std::vector<QPolygonF>& polylines)
        : scale_(view.scale), origin_(view.originPixel), detail_(detail),
          dropSquared_(detail.dropCloserThan * detail.dropCloserThan), polylines_(polylines)
    {
    }

    void trace(const PathPiece& piece, bool joined)
    {
        if (!joined)
            finish();
        double x = piece.startX, y = piece.startY;
        if (!joined)
            add(toPixel(x, y));
        for (const PathElement& element : piece.elements) {
            if (element.sweep == 0)
                add(toPixel(element.x, element.y));
            else
                addArc(x, y, element);
            x = element.x;
            y = element.y;
        }
    }

    // Ends the polyline under way, its last point kept.
    void finish()
    {
        if (pending_ && (current_.isEmpty() || current_.back() != *pending_))
            current_.append(*pending_);
        pending_.reset();
        if (current_.size() == 1)  // a whole path within a pixel: a dot
            current_.append(current_.front() + QPointF(0.5, 0));
        if (current_.size() > 1)
            polylines_.push_back(std::move(current_));
        current_ = QPolygonF();
    }

private:
    QPointF toPixel(double x, double y) const { return {origin_.x() + scale_ * x, origin_.y() - scale_ * y}; }

    void add(QPointF point)
    {
        if (!current_.isEmpty()) {
            const QPointF step = point - current_.back();
            if (step.x() * step.x() + step.y() * step.y() < dropSquared_) {
                pending_ = point;
                return;
            }
        }
        pending_.reset();
        current_.append(point);
        if (current_.size() == kMostPolylinePoints) {
            polylines_.push_back(current_);
            current_ = QPolygonF{point};
        }
    }

    // Pieces short enough that the chord strays at most the tolerance from
    // the arc, at least one per quarter turn. The radius is blended from
    // start to end so that the last point is exactly the programmed end.
    void addArc(double fromX, double fromY, const PathElement& arc)
    {
        const double cx = arc.centreX, cy = arc.centreY;
        const double r0 = std::hypot(fromX - cx, fromY - cy);
        const double r1 = std::hypot(arc.x - cx, arc.y - cy);
        const double sweep = arc.sweep;
        const double radiusPixels = std::max(r0, r1) * scale_;
        double step = std::numbers::pi / 2;
        if (radiusPixels > detail_.arcTolerance)
            step = std::min(step, 2 * std::acos(1 - detail_.arcTolerance / radiusPixels));
        const double wanted = std::ceil(std::abs(sweep) / step);
        const int segments = std::isfinite(wanted) ? static_cast<int>(std::clamp(wanted, 1.0, double(kMostArcSegments)))
                                                   : 1;
        const double turn = sweep / segments;
        const double cosTurn = std::cos(turn), sinTurn = std::sin(turn);
        // The unit vector from the centre, turned a piece at a time.
        double ux = 1, uy = 0;
        if (r0 > 0) {
            ux = (fromX - cx) / r0;
            uy = (fromY - cy) / r0;
        }
        for (int i = 1; i < segments; ++i) {
            const double turnedX = ux * cosTurn - uy * sinTurn;
            uy = ux * sinTurn + uy * cosTurn;
            ux = turnedX;
            const double r = r0 + (r1 - r0) * i / segments;
            add(toPixel(cx + r * ux, cy + r * uy));
        }
        add(toPixel(arc.x, arc.y));
    }

    double scale_;
    QPointF origin_;
    TraceDetail detail_;
    double dropSquared_;
    std::vector<QPolygonF>& polylines_;
    QPolygonF current_;
    std::optional<QPointF> pending_;  // the last point left out, kept if the path ends there
};

bool meets(const simulation::Bounds& area, const QRectF& shown)
{
    return !area.empty && area.maxX >= shown.left() && area.minX <= shown.right() && area.maxY >= shown.top()
        && area.minY <= shown.bottom();
}

// Short polylines (a character seen from afar is a dot or two) go to the
// painter together, as the subpaths of one path, up to kMostPolylinePoints
// points a path: each call to the painter has a set-up cost of its own.
void drawPolylines(QPainter& painter, const std::vector<QPolygonF>& polylines)
{
    QPainterPath batch;
    qsizetype points = 0;
    const auto flush = [&] {
        if (points > 0)
            painter.drawPath(batch);
        batch.clear();
        points = 0;
    };
    for (const QPolygonF& polyline : polylines) {
        if (points + polyline.size() > kMostPolylinePoints)
            flush();
        batch.addPolygon(polyline);
        points += polyline.size();
    }
    flush();
}

// Flat ends and bevelled corners: round ones cost the stroker several times as
// much on a long program, and mitred ones stick out far past a sharp turn
// (a stroke that comes back on itself), drawing ink where no cut goes.
QPen cosmeticPen(const QColor& colour, double width, Qt::PenStyle style = Qt::SolidLine)
{
    QPen pen(colour, width, style, Qt::FlatCap, Qt::BevelJoin);
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

PreviewScene sceneOf(ToolpathPreview preview, const PlateExtent& plate)
{
    PreviewScene scene;
    scene.paths = std::move(preview.paths);
    const simulation::Bounds& cuts = preview.cuts;
    if (!cuts.empty)
        scene.block = QRectF(QPointF(cuts.minX, cuts.minY), QPointF(cuts.maxX, cuts.maxY));
    scene.plate = plate;
    return scene;
}

std::vector<QPolygonF> tracePaths(const std::vector<PathPiece>& pieces, const ViewPlacement& view,
                                  const QRectF& viewport, const TraceDetail& detail)
{
    std::vector<QPolygonF> polylines;
    if (!(view.scale > 0) || !std::isfinite(view.scale))
        return polylines;
    // A stroke reaches a couple of pixels beyond its path.
    const QRectF shown = view.transform().inverted().mapRect(viewport.adjusted(-4, -4, 4, 4)).normalized();
    PixelTracer tracer(view, detail, polylines);
    bool previousTraced = false;
    for (const PathPiece& piece : pieces) {
        if (!meets(piece.area, shown)) {
            previousTraced = false;
            continue;
        }
        tracer.trace(piece, piece.continuesPrevious && previousTraced);
        previousTraced = true;
    }
    tracer.finish();
    return polylines;
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
                  const PreviewColours& colours, const TraceDetail& detail)
{
    painter.save();
    painter.fillRect(viewport, colours.background);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(viewport);
    const QTransform placed = painter.transform();
    const QRectF shown = view.transform().inverted().mapRect(viewport).normalized();
    painter.setTransform(view.transform(), true);
    paintPlate(painter, scene.plate, shown, colours);
    // The paths are traced in pixels, at the detail this zoom needs.
    painter.setTransform(placed);
    painter.setBrush(Qt::NoBrush);
    // A transparent colour hides the rapid moves: they are not traced at all.
    if (colours.rapid.alpha() > 0) {
        painter.setPen(cosmeticPen(colours.rapid, 1, Qt::DashLine));
        drawPolylines(painter, tracePaths(scene.paths.rapids, view, viewport, detail));
    }
    painter.setPen(cosmeticPen(colours.cut, 2));
    drawPolylines(painter, tracePaths(scene.paths.cuts, view, viewport, detail));
    if (scene.block) {
        painter.setTransform(view.transform(), true);
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

QImage renderPreview(const PreviewScene& scene, QSize size, const ViewPlacement& view, const PreviewColours& colours,
                     const TraceDetail& detail)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    paintPreview(painter, scene, view, QRectF(QPointF(0, 0), QSizeF(size)), colours, detail);
    painter.end();
    return image;
}

QImage renderPreview(const PreviewScene& scene, QSize size, const PreviewColours& colours, const TraceDetail& detail)
{
    return renderPreview(scene, size, fitView(fitArea(scene), QSizeF(size)), colours, detail);
}

std::vector<QPolygonF> millimetreStrokes(const std::vector<PathPiece>& pieces)
{
    constexpr double kArcStepRadians = 0.05;
    std::vector<QPolygonF> strokes;
    for (const PathPiece& piece : pieces) {
        if (!piece.continuesPrevious || strokes.empty())
            strokes.push_back(QPolygonF{QPointF(piece.startX, piece.startY)});
        QPolygonF& stroke = strokes.back();
        for (const PathElement& element : piece.elements) {
            const QPointF from = stroke.back();
            if (element.sweep != 0) {
                const double r0 = std::hypot(from.x() - element.centreX, from.y() - element.centreY);
                const double r1 = std::hypot(element.x - element.centreX, element.y - element.centreY);
                const double a0 = std::atan2(from.y() - element.centreY, from.x() - element.centreX);
                const int steps = std::max(1, static_cast<int>(std::ceil(std::abs(element.sweep) / kArcStepRadians)));
                for (int i = 1; i < steps; ++i) {
                    const double t = static_cast<double>(i) / steps;
                    const double r = r0 + (r1 - r0) * t;
                    stroke.append(QPointF(element.centreX + r * std::cos(a0 + element.sweep * t),
                                          element.centreY + r * std::sin(a0 + element.sweep * t)));
                }
            }
            stroke.append(QPointF(element.x, element.y));
        }
    }
    return strokes;
}

}  // namespace velmora::preview
