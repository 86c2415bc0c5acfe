#pragma once
// The window "Aperçu": the tool path of the current program file, and below
// it the lengths and estimated time of the job, or the line the drawing had
// to stop at.

#include "toolpath_preview.h"

#include <QWidget>

#include "construction/resume_point.h"

#include <QPolygonF>

#include <optional>
#include <string>
#include <vector>

class QLabel;

namespace velmora::preview {

class PreviewView;
class ResumeSelection;

class PreviewWindow final : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(QWidget* parent = nullptr);

    // Draws `program` (the program file's bytes, or nothing when there is no
    // file) with the plate and feed of `settings`. An empty file is no
    // program, as in the listing.
    void showProgram(const std::optional<std::string>& program, const PreviewSettings& settings);

    PreviewView& view() { return *view_; }
    ResumeSelection& resumeSelection() { return *selection_; }

    // The strokes a resume from `resumePoint` leaves out, drawn faint while
    // the program shown is that resume.
    void setEngravedBefore(TextPlace resumePoint, std::vector<QPolygonF> strokes);
    QString summary() const;
    QString notice() const;  // empty when the whole program was read

private:
    void showResume(const std::optional<TextPlace>& resumePoint);

    PreviewView* view_;
    ResumeSelection* selection_;
    std::optional<TextPlace> engravedBefore_;
    std::vector<QPolygonF> engraved_;
    QLabel* summary_;
    QLabel* notice_;
};

}  // namespace velmora::preview
