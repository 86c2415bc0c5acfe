#include "resume_selection.h"

#include "preview_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace velmora::preview {

ResumeSelection::ResumeSelection(PreviewView& view, QWidget* parent)
    : QWidget(parent), view_(view), caption_(new QLabel(this)),
      resume_(new QPushButton(QStringLiteral("Reprendre ici"), this))
{
    caption_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    resume_->setEnabled(false);
    resume_->setToolTip(QStringLiteral("Construire un programme qui reprend la gravure à partir du caractère choisi"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(caption_, 1);
    row->addWidget(resume_);
    QObject::connect(&view_, &PreviewView::clicked, this,
                     [this](QPointF at, double reach) { selectAt(at, reach); });
    QObject::connect(resume_, &QPushButton::clicked, this, [this] {
        if (selected_)
            emit resumeRequested(*selected_);
    });
}

void ResumeSelection::clear()
{
    selected_.reset();
    caption_->clear();
    resume_->setEnabled(false);
    view_.setHighlight(std::nullopt);
}

void ResumeSelection::selectAt(QPointF at, double reach)
{
    const std::vector<CharacterCell> cells = cells_ ? cells_() : std::vector<CharacterCell>{};
    const auto place = pickCharacter(cells, view_.strokes(), at, reach);
    const CharacterCell* cell = place ? cellAt(cells, *place) : nullptr;
    if (!cell) {
        clear();
        return;
    }
    selected_ = cell->place;
    caption_->setText(selectionText(*cell));
    resume_->setEnabled(true);
    view_.setHighlight(cell->area);
}

QString ResumeSelection::caption() const
{
    return caption_->text();
}

}  // namespace velmora::preview
