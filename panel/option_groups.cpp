#include "option_groups.h"

#include "text_lines.h"
#include "ui_mainwindow.h"

namespace velmora {
namespace {

using Form = Ui::MainWindow;

struct JustificationRow {
    QRadioButton* Form::*button;
    Qt::Alignment alignment;
};

const JustificationRow kJustificationRows[] = {
    {&Form::Justification1, Qt::AlignLeft | Qt::AlignVCenter},
    {&Form::Justification2, Qt::AlignHCenter | Qt::AlignVCenter},
    {&Form::Justification3, Qt::AlignRight | Qt::AlignVCenter},
};

struct PlacementRow {
    QRadioButton* Form::*option;
    bool cornersEnabled;
};

// A corner only means something when the block is centred; with free placement
// the text starts at the X/Y position and no corner can be chosen.
constexpr PlacementRow kPlacementRows[] = {
    {&Form::Option1, true},
    {&Form::Option2, true},
    {&Form::Option3, true},
    {&Form::Option4, false},
};

template <typename Choice>
struct ChoiceRow {
    QRadioButton* Form::*button;
    Choice choice;
};

constexpr ChoiceRow<Justification> kJustificationChoices[] = {
    {&Form::Justification1, Justification::Left},     // "Alignement à gauche"
    {&Form::Justification2, Justification::Centred},  // "Centré"
    {&Form::Justification3, Justification::Right},    // "Alignement à droite"
};

constexpr ChoiceRow<Placement> kPlacementChoices[] = {
    {&Form::Option1, Placement::CentreXY},  // "Centrage  X / Y"
    {&Form::Option2, Placement::CentreX},   // "Centrage  X "
    {&Form::Option3, Placement::CentreY},   // "Centrage  Y "
    {&Form::Option4, Placement::Free},      // "Placement libre"
};

constexpr ChoiceRow<Corner> kCornerChoices[] = {
    {&Form::Origine1, Corner::TopLeft},      // "Haut/Gauche"
    {&Form::Origine2, Corner::TopRight},     // "Haut/Droite"
    {&Form::Origine3, Corner::BottomLeft},   // "Bas/Gauche"
    {&Form::Origine4, Corner::BottomRight},  // "Bas/Droite"
};

template <typename Choice, std::size_t N>
Choice selectedChoice(const Form& form, const ChoiceRow<Choice> (&rows)[N])
{
    for (const ChoiceRow<Choice>& row : rows)
        if ((form.*row.button)->isChecked())
            return row.choice;
    return Choice::None;
}

}  // namespace

LayoutChoices readLayoutChoices(const Ui::MainWindow& form)
{
    return {selectedChoice(form, kJustificationChoices), selectedChoice(form, kPlacementChoices),
            selectedChoice(form, kCornerChoices)};
}

void alignTextLines(const Ui::MainWindow& form, Qt::Alignment alignment)
{
    const PerLine<QLineEdit*> lines = textLines(form);
    for (int line = 1; line <= kLineCount; ++line)
        lines[line]->setAlignment(alignment);
}

void enableCorners(const Ui::MainWindow& form, bool enabled)
{
    for (QRadioButton* corner : {form.Origine1, form.Origine2, form.Origine3, form.Origine4})
        corner->setEnabled(enabled);
}

void connectJustification(Ui::MainWindow& form)
{
    const Ui::MainWindow* aligned = &form;
    for (const JustificationRow& row : kJustificationRows) {
        const Qt::Alignment alignment = row.alignment;
        QObject::connect(form.*row.button, &QRadioButton::toggled, form.*row.button,
                         [aligned, alignment](bool selected) {
                             if (selected)
                                 alignTextLines(*aligned, alignment);
                         });
    }
}

void connectPlacement(Ui::MainWindow& form)
{
    const Ui::MainWindow* placed = &form;
    for (const PlacementRow& row : kPlacementRows) {
        const bool enabled = row.cornersEnabled;
        QObject::connect(form.*row.option, &QRadioButton::toggled, form.*row.option,
                         [placed, enabled](bool selected) {
                             if (selected)
                                 enableCorners(*placed, enabled);
                         });
    }
}

}  // namespace velmora
