#include "preview_window.h"

#include "preview_controls.h"
#include "preview_texts.h"
#include "preview_view.h"
#include "resume_selection.h"

#include <QLabel>
#include <QVBoxLayout>

namespace velmora::preview {

PreviewWindow::PreviewWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), view_(new PreviewView(this)), selection_(new ResumeSelection(*view_, this)),
      summary_(new QLabel(this)),
      notice_(new QLabel(this))
{
    setWindowTitle(QStringLiteral("Aperçu"));
    resize(720, 480);
    summary_->setToolTip(estimateNote());
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->setStyleSheet(QStringLiteral("color: rgb(180, 0, 0); font-weight: bold;"));
    notice_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    notice_->hide();
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addWidget(selection_);
    column->addWidget(summary_);
    column->addWidget(notice_);
    addPreviewControls(*this, *view_);
}

void PreviewWindow::showProgram(const std::optional<std::string>& program, const PreviewSettings& settings)
{
    const PlateExtent plate = plateExtent(settings.placement, settings.corner, settings.posX, settings.posY);
    showResume(program ? resumePointOfProgram(*program) : std::nullopt);
    if (!program || program->empty()) {
        view_->setScene(sceneOf(ToolpathPreview{}, plate));
        summary_->setText(QStringLiteral("Aucun programme : velmora.rub est absent, vide ou illisible."));
        notice_->clear();
        notice_->hide();
        return;
    }
    const ToolpathPreview preview = previewProgram(*program);
    view_->setScene(sceneOf(preview, plate));
    const bool partial = !preview.interpretation.ok();
    summary_->setText(summaryText(preview.lengths, machiningSeconds(preview.lengths, settings.feed), partial));
    notice_->setText(partial ? stopText(*preview.interpretation.stop, preview.stopLineText) : QString());
    notice_->setVisible(partial);
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

QString PreviewWindow::notice() const
{
    return notice_->text();
}

}  // namespace velmora::preview
