#include "program_listing_view.h"

#include "qt_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace velmora {
namespace {

// Room left of the text, as a text box keeps.
constexpr int kMarginPixels = 3;

}  // namespace

ProgramListingView::ProgramListingView(QWidget* parent) : QAbstractScrollArea(parent)
{
    // A fixed-width face, so the words of a program line stand in columns.
    QFont face = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    face.setPointSize(font().pointSize());
    setFont(face);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
}

void ProgramListingView::setListing(ProgramListing listing)
{
    listing_ = std::move(listing);
    anchor_ = current_ = -1;
    longestRowPixels_ = listing_.rowCount() == 0
        ? 0
        : fontMetrics().horizontalAdvance(fromWindows1252(listing_.longestRow()));
    updateScrollBars();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    viewport()->update();
}

QString ProgramListingView::rowText(std::size_t row) const
{
    return fromWindows1252(listing_.row(row));
}

void ProgramListingView::selectRows(std::size_t first, std::size_t last)
{
    if (listing_.rowCount() == 0)
        return;
    const auto lastRow = static_cast<std::ptrdiff_t>(listing_.rowCount()) - 1;
    anchor_ = std::min(static_cast<std::ptrdiff_t>(first), lastRow);
    current_ = std::min(static_cast<std::ptrdiff_t>(last), lastRow);
    ensureVisible(current_);
    viewport()->update();
}

void ProgramListingView::selectAll()
{
    if (listing_.rowCount() == 0)
        return;
    anchor_ = 0;
    current_ = static_cast<std::ptrdiff_t>(listing_.rowCount()) - 1;
    viewport()->update();
}

std::size_t ProgramListingView::firstSelected() const
{
    return static_cast<std::size_t>(std::min(anchor_, current_));
}

std::size_t ProgramListingView::lastSelected() const
{
    return static_cast<std::size_t>(std::max(anchor_, current_));
}

QString ProgramListingView::selectedText() const
{
    QString text;
    if (!hasSelection())
        return text;
    for (std::size_t row = firstSelected(); row <= lastSelected(); ++row) {
        text += rowText(row);
        text += QLatin1Char('\n');
    }
    return text;
}

void ProgramListingView::copy() const
{
    if (hasSelection())
        QApplication::clipboard()->setText(selectedText());
}

int ProgramListingView::rowHeight() const
{
    return std::max(1, fontMetrics().lineSpacing());
}

int ProgramListingView::visibleRows() const
{
    return std::max(1, viewport()->height() / rowHeight());
}

std::ptrdiff_t ProgramListingView::rowAt(int y) const
{
    const std::ptrdiff_t row = verticalScrollBar()->value() + std::max(0, y) / rowHeight();
    return std::clamp<std::ptrdiff_t>(row, 0, static_cast<std::ptrdiff_t>(listing_.rowCount()) - 1);
}

// The vertical bar counts rows, the horizontal one pixels of the longest row.
void ProgramListingView::updateScrollBars()
{
    const int rows = static_cast<int>(std::min<std::size_t>(listing_.rowCount(), INT_MAX));
    verticalScrollBar()->setRange(0, std::max(0, rows - visibleRows()));
    verticalScrollBar()->setPageStep(visibleRows());
    verticalScrollBar()->setSingleStep(1);
    const int width = longestRowPixels_ + 2 * kMarginPixels;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
}

void ProgramListingView::ensureVisible(std::ptrdiff_t row)
{
    QScrollBar* bar = verticalScrollBar();
    if (row < bar->value())
        bar->setValue(static_cast<int>(row));
    else if (row >= bar->value() + visibleRows())
        bar->setValue(static_cast<int>(row) - visibleRows() + 1);
}

void ProgramListingView::moveCurrent(std::ptrdiff_t row, bool extend)
{
    if (listing_.rowCount() == 0)
        return;
    current_ = std::clamp<std::ptrdiff_t>(row, 0, static_cast<std::ptrdiff_t>(listing_.rowCount()) - 1);
    if (!extend || anchor_ < 0)
        anchor_ = current_;
    ensureVisible(current_);
    viewport()->update();
}

void ProgramListingView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const int height = rowHeight();
    const int ascent = fontMetrics().ascent();
    const int x = kMarginPixels - horizontalScrollBar()->value();
    const std::size_t top = static_cast<std::size_t>(verticalScrollBar()->value());
    const QRect area = event->rect();
    const std::size_t from = top + static_cast<std::size_t>(std::max(0, area.top()) / height);
    const std::size_t to = std::min(listing_.rowCount(), top + static_cast<std::size_t>(area.bottom() / height) + 1);
    const QPalette& colours = palette();
    for (std::size_t row = from; row < to; ++row) {
        const int y = static_cast<int>(row - top) * height;
        const bool selected = hasSelection() && row >= firstSelected() && row <= lastSelected();
        if (selected) {
            painter.fillRect(QRect(0, y, viewport()->width(), height), colours.brush(QPalette::Highlight));
            painter.setPen(colours.color(QPalette::HighlightedText));
        } else {
            painter.setPen(colours.color(QPalette::Text));
        }
        painter.drawText(x, y + ascent, rowText(row));
    }
}

void ProgramListingView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void ProgramListingView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void ProgramListingView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || listing_.rowCount() == 0)
        return QAbstractScrollArea::mousePressEvent(event);
    moveCurrent(rowAt(event->position().toPoint().y()), event->modifiers() & Qt::ShiftModifier);
}

void ProgramListingView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton) || listing_.rowCount() == 0)
        return QAbstractScrollArea::mouseMoveEvent(event);
    moveCurrent(rowAt(event->position().toPoint().y()), true);
}

void ProgramListingView::keyPressEvent(QKeyEvent* event)
{
    if (event == QKeySequence::Copy) {
        copy();
        return;
    }
    if (event == QKeySequence::SelectAll) {
        selectAll();
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    const std::ptrdiff_t at = std::max<std::ptrdiff_t>(current_, 0);
    const std::ptrdiff_t page = visibleRows();
    switch (event->key()) {
    case Qt::Key_Up: moveCurrent(current_ < 0 ? 0 : at - 1, extend); return;
    case Qt::Key_Down: moveCurrent(current_ < 0 ? 0 : at + 1, extend); return;
    case Qt::Key_PageUp: moveCurrent(at - page, extend); return;
    case Qt::Key_PageDown: moveCurrent(at + page, extend); return;
    case Qt::Key_Home: moveCurrent(0, extend); return;
    case Qt::Key_End: moveCurrent(static_cast<std::ptrdiff_t>(listing_.rowCount()) - 1, extend); return;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void ProgramListingView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copyRows = menu.addAction(QStringLiteral("Copier"), this, [this] { copy(); });
    copyRows->setShortcut(QKeySequence::Copy);
    copyRows->setEnabled(hasSelection());
    QAction* all = menu.addAction(QStringLiteral("Tout sélectionner"), this, [this] { selectAll(); });
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(listing_.rowCount() > 0);
    menu.exec(event->globalPos());
}

void ProgramListingView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange && listing_.rowCount() > 0) {
        longestRowPixels_ = fontMetrics().horizontalAdvance(fromWindows1252(listing_.longestRow()));
        updateScrollBars();
    }
}

}  // namespace velmora
