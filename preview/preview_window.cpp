#include "preview_window.h"

#include "preview_texts.h"
#include "preview_view.h"
#include "resume_selection.h"

#include "common/whole_file.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

namespace velmora::preview {
namespace {

// What the window offers beside the drawing, right under it: Escape closes
// the window, a line says what the mouse does, and a check box hides the
// rapid moves so the cuts stand alone.
void addPreviewControls(QWidget& window, QBoxLayout& column, PreviewView& view)
{
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(close, &QShortcut::activated, &window, &QWidget::close);

    auto* hint = new QLabel(QStringLiteral("Molette : zoom  ·  Glisser : déplacer  ·  Double-clic : tout voir"),
                            &window);
    hint->setObjectName(QStringLiteral("mouseHint"));
    auto* hideRapids = new QCheckBox(QStringLiteral("Masquer les déplacements rapides"), &window);
    hideRapids->setObjectName(QStringLiteral("hideRapids"));
    QObject::connect(hideRapids, &QCheckBox::toggled, &view,
                     [&view](bool hidden) { view.setRapidMovesShown(!hidden); });

    auto* row = new QHBoxLayout;
    row->addWidget(hint, 1);
    row->addWidget(hideRapids);
    column.insertLayout(column.indexOf(&view) + 1, row);
}

}  // namespace

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new PreviewView(this)), selection_(new ResumeSelection(*view_, this)),
      summary_(new QLabel(this)), assumption_(new QLabel(this)), notice_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Aperçu"));
    resize(720, 480);
    summary_->setToolTip(estimateNote());
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    assumption_->setToolTip(estimateNote());
    notice_->setStyleSheet(QStringLiteral("color: rgb(180, 0, 0); font-weight: bold;"));
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->hide();
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addWidget(selection_);
    column->addWidget(summary_);
    column->addWidget(assumption_);
    column->addWidget(notice_);
    addPreviewControls(*this, *column, *view_);
    connect(&worker_, &QFutureWatcher<std::shared_ptr<Reading>>::finished, this, [this] { readingDone(); });
}

PreviewWindow::~PreviewWindow()
{
    if (worker_.isRunning())
        worker_.waitForFinished();
}

void PreviewWindow::programChanged(std::filesystem::path file, const PreviewSettings& settings)
{
    waiting_ = Request{std::move(file), settings};
    if (isVisible() && !reading())
        startReading();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (waiting_ && !reading())
        startReading();
}

bool PreviewWindow::reading() const
{
    return worker_.isRunning();
}

void PreviewWindow::startReading()
{
    const Request request = std::move(*waiting_);
    waiting_.reset();
    summary_->setText(QStringLiteral("Lecture du programme…"));
    worker_.setFuture(QtConcurrent::run([request] {
        auto reading = std::make_shared<Reading>(Reading{std::nullopt, std::nullopt, request.settings});
        // An unreadable program is shown as none: the summary says so.
        const Result<std::string> program = readWholeFile(request.file, kProgramFileLimit);
        if (program.ok() && !program.value().empty()) {
            reading->preview = previewProgram(program.value(), request.settings.workTopZ);
            reading->resumePoint = resumePointOfProgram(program.value());
        }
        return reading;
    }));
}

// A file changed while it was read: that reading is out of date.
void PreviewWindow::readingDone()
{
    if (waiting_) {
        if (isVisible())
            startReading();
        return;
    }
    display(std::move(*worker_.result()));
    emit programShown();
}

void PreviewWindow::showProgram(const std::optional<std::string>& program, const PreviewSettings& settings)
{
    Reading reading{std::nullopt, std::nullopt, settings};
    if (program && !program->empty()) {
        reading.preview = previewProgram(*program, settings.workTopZ);
        reading.resumePoint = resumePointOfProgram(*program);
    }
    display(std::move(reading));
}

void PreviewWindow::display(Reading reading)
{
    const PreviewSettings& settings = reading.settings;
    const PlateExtent plate = plateExtent(settings.placement, settings.corner, settings.posX, settings.posY);
    showResume(reading.resumePoint);
    if (!reading.preview) {
        view_->setScene(sceneOf(ToolpathPreview{}, plate));
        summary_->setText(QStringLiteral("Aucun programme : velmora.rub est absent, vide ou illisible."));
        assumption_->clear();
        notice_->clear();
        notice_->hide();
        return;
    }
    ToolpathPreview& preview = *reading.preview;
    const bool partial = !preview.complete();
    summary_->setText(summaryText(preview.lengths, machiningSeconds(preview.lengths, settings.feed), partial));
    assumption_->setText(retractText(preview.retractZ));
    if (preview.stop)
        notice_->setText(stopText(*preview.stop, preview.stopLineText));
    else if (preview.tooManyMoves)
        notice_->setText(tooManyMovesText(preview.lastLineRead));
    else
        notice_->clear();
    notice_->setVisible(partial);
    view_->setScene(sceneOf(std::move(preview), plate));
}

void PreviewWindow::setEngravedBefore(TextPlace resumePoint, std::vector<QPolygonF> strokes)
{
    engravedBefore_ = resumePoint;
    engraved_ = std::move(strokes);
}

// A resume says so in the title, and shows what it leaves out when that is
// known (the resume was built in this session); any new program clears the
// choice of a character.
void PreviewWindow::showResume(const std::optional<TextPlace>& resumePoint)
{
    selection_->clear();
    if (!resumePoint) {
        setWindowTitle(QStringLiteral("Aperçu"));
        view_->setEngraved({});
        return;
    }
    setWindowTitle(QStringLiteral("Aperçu — programme de reprise à partir de la ligne %1, caractère %2")
                       .arg(resumePoint->line)
                       .arg(resumePoint->character));
    view_->setEngraved(engravedBefore_ == resumePoint ? engraved_ : std::vector<QPolygonF>{});
}

QString PreviewWindow::summary() const
{
    return summary_->text();
}

QString PreviewWindow::assumption() const
{
    return assumption_->text();
}

QString PreviewWindow::notice() const
{
    return notice_->text();
}

}  // namespace velmora::preview
