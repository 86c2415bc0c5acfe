#pragma once
// The window "Aperçu": the tool path of the current program file, and below
// it the lengths and estimated time of the job, the retract height they
// assume, or the line the drawing had to stop at.
//
// The window does nothing while it is closed: a new program file is only
// noted, and read when the window is next shown. The reading runs on a worker
// thread, so a long program never holds up the main window; a file changed
// while it is read is read again once that reading is over.

#include "toolpath_preview.h"

#include <QFutureWatcher>
#include <QWidget>

#include "construction/resume_point.h"

#include <QPolygonF>

#include <filesystem>
#include <memory>
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
    ~PreviewWindow() override;

    // The program file has changed (or is there to be shown for the first
    // time): read it, with the plate and feed of `settings`, once the window
    // is shown.
    void programChanged(std::filesystem::path file, const PreviewSettings& settings);

    // Draws `program` (the program file's bytes, or nothing when there is no
    // file) with the plate and feed of `settings`, at once. An empty file is
    // no program, as in the listing.
    void showProgram(const std::optional<std::string>& program, const PreviewSettings& settings);

    PreviewView& view() { return *view_; }
    ResumeSelection& resumeSelection() { return *selection_; }

    // The strokes a resume from `resumePoint` leaves out, drawn faint while
    // the program shown is that resume.
    void setEngravedBefore(TextPlace resumePoint, std::vector<QPolygonF> strokes);
    QString summary() const;
    QString assumption() const;  // the retract height the lengths assume
    QString notice() const;      // empty when the whole program was read
    bool reading() const;

signals:
    // A program file has been read and drawn.
    void programShown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    struct Reading {
        std::optional<ToolpathPreview> preview;  // nothing when there is no program to show
        std::optional<TextPlace> resumePoint;    // the program is a resume from there
        PreviewSettings settings;
    };
    struct Request {
        std::filesystem::path file;
        PreviewSettings settings;
    };

    void startReading();
    void readingDone();
    void display(Reading reading);
    void showResume(const std::optional<TextPlace>& resumePoint);

    PreviewView* view_;
    ResumeSelection* selection_;
    std::optional<TextPlace> engravedBefore_;
    std::vector<QPolygonF> engraved_;
    QLabel* summary_;
    QLabel* assumption_;
    QLabel* notice_;
    std::optional<Request> waiting_;  // a file not read yet
    // A reading is handed over by pointer: its paths may take many megabytes.
    QFutureWatcher<std::shared_ptr<Reading>> worker_;
};

}  // namespace velmora::preview
