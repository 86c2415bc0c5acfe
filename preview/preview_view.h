#pragma once
// The drawing area of the preview: fits each new program into view, zooms
// about the pointer on the mouse wheel, pans while dragged, and fits again on
// a double click.

#include "preview_drawing.h"

#include <QWidget>

#include <optional>

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
};

}  // namespace velmora::preview
