#pragma once
// The listing box `Programme`: the program file, one program line per row, in
// a fixed-width face. It paints only the rows in view and decodes a row only
// when it is painted or copied, so showing a program of any length costs what
// the visible rows cost. Rows are selected with the mouse (a click, a drag,
// Shift and a click) or the keyboard (arrows, pages, Ctrl+A) and copied with
// Ctrl+C as lines of text.

#include "transmission/program_listing.h"

#include <QAbstractScrollArea>

#include <cstddef>

namespace velmora {

class ProgramListingView final : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ProgramListingView(QWidget* parent = nullptr);

    void setListing(ProgramListing listing);

    std::size_t rowCount() const { return listing_.rowCount(); }
    QString rowText(std::size_t row) const;

    // The selected rows, first and last included; empty when nothing is.
    bool hasSelection() const { return listing_.rowCount() > 0 && anchor_ >= 0; }
    void selectRows(std::size_t first, std::size_t last);
    void selectAll();
    // Each selected row followed by a line feed, as a text editor takes lines.
    QString selectedText() const;
    void copy() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int rowHeight() const;
    int visibleRows() const;
    std::ptrdiff_t rowAt(int y) const;
    void updateScrollBars();
    void moveCurrent(std::ptrdiff_t row, bool extend);
    void ensureVisible(std::ptrdiff_t row);
    std::size_t firstSelected() const;
    std::size_t lastSelected() const;

    ProgramListing listing_;
    int longestRowPixels_ = 0;
    // The selection runs from the anchor to the current row; -1: none.
    std::ptrdiff_t anchor_ = -1;
    std::ptrdiff_t current_ = -1;
};

}  // namespace velmora
