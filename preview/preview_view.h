#pragma once
// The drawing area of the preview: fits each new program into view, zooms
// about the pointer on the mouse wheel, pans while dragged, and fits again on
// a double click.

#include "preview_drawing.h"

#include <QWidget>

#include <optional>
#include <vector>

namespace velmora::preview {

class PreviewView final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewView(QWidget* parent = nullptr);

    void setScene(PreviewScene scene);
    void fitToView();
    // Rapid moves are drawn unless the operator hides them.
    void setRapidMovesShown(bool shown);
    const ViewPlacement& placement() const { return view_; }

    // What a resume leaves out, drawn faint under the program; empty for a
    // whole program.
    void setEngraved(std::vector<QPolygonF> strokes);
    // Every stroke the operator sees: the program's cuts and the faint ones.
    std::vector<QPolygonF> strokes() const;
    // The cell of the character chosen for a resume, or none.
    void setHighlight(std::optional<QRectF> cell);

signals:
    // A click that did not drag the drawing, where it fell and how far from a
    // stroke it still counts as on it, in millimetres.
    void clicked(QPointF millimetres, double reachMillimetres);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    PreviewScene scene_;
    PreviewColours colours_;
    ViewPlacement view_;
    bool fitted_ = true;  // no zoom or pan since the last fit: a resize fits again
    std::optional<QPointF> dragFrom_;
    std::optional<QPointF> pressedAt_;
    std::vector<QPolygonF> engraved_;
    std::optional<QRectF> highlight_;
};

}  // namespace velmora::preview
