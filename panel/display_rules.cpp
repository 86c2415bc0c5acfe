#include "display_rules.h"

#include "qt_text.h"
#include "ui_mainwindow.h"

#include "common/numbers.h"

namespace velmora {
namespace {

using Form = Ui::MainWindow;

struct DisplayRow {
    QScrollBar* Form::*bar;
    QLineEdit* Form::*box;
    DisplayRule rule;
};

constexpr DisplayRow kDisplayRows[] = {
    {&Form::Outil2, &Form::Outil3, DisplayRule::WholeNumber},
    {&Form::Correcteur2, &Form::Correcteur3, DisplayRule::WholeNumber},
    {&Form::Rotation2, &Form::Rotation3, DisplayRule::WholeNumber},
    {&Form::Avance2, &Form::Avance3, DisplayRule::WholeNumber},
    {&Form::Gamme2, &Form::Gamme3, DisplayRule::WholeNumber},
    {&Form::Posx2, &Form::Posx3, DisplayRule::Position},
    {&Form::Posy2, &Form::Posy3, DisplayRule::Position},
    {&Form::Posz2, &Form::Posz3, DisplayRule::Position},
    {&Form::Nom2, &Form::Nom3, DisplayRule::ProgramNumber},
};

// Worked out in double precision and held in single precision, as the
// position is everywhere else; 2000 stands for 0 mm.
float positionMillimetres(int v)
{
    return static_cast<float>((v - 2000) / 10.0);
}

}  // namespace

std::string displayText(DisplayRule rule, int v)
{
    switch (rule) {
    case DisplayRule::WholeNumber:
        return wholeNumberText(v);
    case DisplayRule::Position:
        return numberText(positionMillimetres(v));
    case DisplayRule::ProgramNumber:
        return "%" + wholeNumberText(v);
    }
    return {};
}

void connectDisplayRules(Ui::MainWindow& form)
{
    for (const DisplayRow& row : kDisplayRows) {
        QLineEdit* box = form.*row.box;
        const DisplayRule rule = row.rule;
        QObject::connect(form.*row.bar, &QScrollBar::valueChanged, box,
                         [box, rule](int v) { box->setText(fromWindows1252(displayText(rule, v))); });
    }
}

}  // namespace velmora
