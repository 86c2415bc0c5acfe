#pragma once
// The row under the preview's drawing that chooses where a resume starts: a
// click on the drawing selects a character (see character_pick.h for what a
// click selects where it could be ambiguous), its cell is highlighted and its
// line, rank and character are shown; "Reprendre ici" asks for a resume from
// it. Nothing is written here: the program on disk changes only once the
// operator has said yes to the resume.

#include "character_pick.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;

namespace velmora::preview {

class PreviewView;

class ResumeSelection final : public QWidget {
    Q_OBJECT
public:
    // The cells of the text as "Construire" would now place them.
    using CellSource = std::function<std::vector<CharacterCell>()>;

    ResumeSelection(PreviewView& view, QWidget* parent = nullptr);

    void setCellSource(CellSource source) { cells_ = std::move(source); }
    // A new program is drawn: nothing is selected.
    void clear();
    // Selects what a click at `at` (millimetres) points at, or nothing.
    void selectAt(QPointF at, double reach);

    const std::optional<TextPlace>& selected() const { return selected_; }
    QString caption() const;
    QPushButton& resumeButton() { return *resume_; }

signals:
    void resumeRequested(velmora::TextPlace chosen);

private:
    PreviewView& view_;
    CellSource cells_;
    std::optional<TextPlace> selected_;
    QLabel* caption_;
    QPushButton* resume_;
};

}  // namespace velmora::preview
