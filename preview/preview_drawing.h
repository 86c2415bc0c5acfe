#pragma once
// The drawing of a program's tool path, apart from any widget so that it can
// be painted into an image as well as on screen: cuts as solid strokes, rapid
// moves faint and dashed, the outline of the cut text block, the plate where
// the program knows it, and the program origin. Lengths are millimetres with
// Y up; pens keep their width in pixels at every zoom.

#include "toolpath_preview.h"

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>

#include <optional>
#include <vector>

class QPainter;

namespace velmora::preview {

struct PreviewColours {
    QColor background{226, 228, 232};
    QColor plate{255, 255, 255};
    QColor plateEdge{110, 110, 110};
    QColor cut{16, 32, 112};
    QColor rapid{70, 130, 220, 150};
    QColor block{230, 120, 0};
    QColor origin{210, 20, 20};
};

struct PreviewScene {
    ToolPaths paths;  // millimetres, Y up
    std::optional<QRectF> block;
    PlateExtent plate;
};

// Takes the preview's paths over.
PreviewScene sceneOf(ToolpathPreview preview, const PlateExtent& plate);

// Where the view stands: `scale` pixels per millimetre and the pixel at which
// the origin lies. Y grows upward on the plate and downward on the screen.
struct ViewPlacement {
    double scale = 1;
    QPointF originPixel;

    QTransform transform() const;
    QPointF toPixel(QPointF millimetres) const;
    QPointF toMillimetres(QPointF pixel) const;
    // The point under `pixel` stays under it.
    void zoomAbout(QPointF pixel, double factor);
};

// What "zoom to fit" shows: the cut block, the plate's known edges and the
// origin, so that a block far from its origin or off its plate shows as such.
QRectF fitArea(const PreviewScene& scene);

// The area centred in the viewport with `marginPixels` all round.
ViewPlacement fitView(const QRectF& area, const QSizeF& viewport, double marginPixels = 24);

// How finely a drawing traces the paths, in pixels: arcs are cut into
// straight pieces that stray at most `arcTolerance` from the true arc, and a
// point closer than `dropCloserThan` to the last point kept is left out,
// which nobody can see and which spares the painter most of a long program
// seen from afar. dropCloserThan 0 keeps every point: the full trace.
struct TraceDetail {
    double arcTolerance = 0.25;
    double dropCloserThan = 1.0;
};
inline constexpr TraceDetail kFullTrace{0.25, 0.0};

// The paths as the painter draws them: polylines in pixels, for the pieces
// that reach into `viewport`.
std::vector<QPolygonF> tracePaths(const std::vector<PathPiece>& pieces, const ViewPlacement& view,
                                  const QRectF& viewport, const TraceDetail& detail = {});

void paintPreview(QPainter& painter, const PreviewScene& scene, const ViewPlacement& view, const QRectF& viewport,
                  const PreviewColours& colours = {}, const TraceDetail& detail = {});

// The cuts as polylines in millimetres, arcs traced every 0.05 radian: for
// finding what a click points at, not for painting.
std::vector<QPolygonF> millimetreStrokes(const std::vector<PathPiece>& pieces);

// Over a drawn preview: the strokes a resume leaves out, faint, and the cell
// of the character chosen for a resume, highlighted.
void paintResumeMarks(QPainter& painter, const std::vector<QPolygonF>& engraved, const std::optional<QRectF>& highlight,
                      const ViewPlacement& view);

// The scene fitted into an image of `size`.
QImage renderPreview(const PreviewScene& scene, QSize size, const PreviewColours& colours = {},
                     const TraceDetail& detail = {});
QImage renderPreview(const PreviewScene& scene, QSize size, const ViewPlacement& view,
                     const PreviewColours& colours = {}, const TraceDetail& detail = {});

}  // namespace velmora::preview
