#include "preview_view.h"

#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace velmora::preview {
namespace {

// One notch of the wheel (120 eighths of a degree) zooms by a fifth.
constexpr double kZoomPerNotch = 1.2;
// From a plate of several metres on screen down to the tool's own groove.
constexpr double kSmallestScale = 0.02;  // pixels per millimetre
constexpr double kLargestScale = 2000;
// A press and release closer than this is a click, not a drag.
constexpr double kClickPixels = 4;
// How near a stroke a click must fall to be on it.
constexpr double kStrokeReachPixels = 5;

}  // namespace

PreviewView::PreviewView(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(240, 160);
    setCursor(Qt::OpenHandCursor);
}

void PreviewView::setScene(PreviewScene scene)
{
    scene_ = std::move(scene);
    fitToView();
}

void PreviewView::fitToView()
{
    view_ = fitView(fitArea(scene_), size());
    fitted_ = true;
    update();
}

void PreviewView::setEngraved(std::vector<QPolygonF> strokes)
{
    engraved_ = std::move(strokes);
    update();
}

std::vector<QPolygonF> PreviewView::strokes() const
{
    std::vector<QPolygonF> all = millimetreStrokes(scene_.paths.cuts);
    all.insert(all.end(), engraved_.begin(), engraved_.end());
    return all;
}

void PreviewView::setHighlight(std::optional<QRectF> cell)
{
    highlight_ = cell;
    update();
}

void PreviewView::setRapidMovesShown(bool shown)
{
    colours_.rapid = shown ? PreviewColours{}.rapid : QColor(Qt::transparent);
    update();
}

void PreviewView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPreview(painter, scene_, view_, rect(), colours_);
    paintResumeMarks(painter, engraved_, highlight_, view_);
}

void PreviewView::resizeEvent(QResizeEvent*)
{
    if (fitted_)
        fitToView();
}

void PreviewView::wheelEvent(QWheelEvent* event)
{
    const double wanted = std::pow(kZoomPerNotch, event->angleDelta().y() / 120.0);
    const double scale = std::clamp(view_.scale * wanted, kSmallestScale, kLargestScale);
    view_.zoomAbout(event->position(), scale / view_.scale);
    fitted_ = false;
    update();
    event->accept();
}

void PreviewView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    dragFrom_ = event->position();
    pressedAt_ = event->position();
    setCursor(Qt::ClosedHandCursor);
}

void PreviewView::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_)
        return QWidget::mouseMoveEvent(event);
    view_.originPixel += event->position() - *dragFrom_;
    dragFrom_ = event->position();
    fitted_ = false;
    update();
}

void PreviewView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    dragFrom_.reset();
    setCursor(Qt::OpenHandCursor);
    if (pressedAt_ && QLineF(*pressedAt_, event->position()).length() < kClickPixels)
        emit clicked(view_.toMillimetres(event->position()), kStrokeReachPixels / view_.scale);
    pressedAt_.reset();
}

void PreviewView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        fitToView();
}

}  // namespace velmora::preview
