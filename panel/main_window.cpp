#include "main_window.h"

#include "exact_value_entry.h"
#include "meter.h"
#include "program_listing_view.h"
#include "qt_text.h"
#include "tool_tips.h"
#include "ui_mainwindow.h"

#include "transmission/program_listing.h"

#include <QAbstractButton>

#include <vector>

namespace velmora {
namespace {

using Form = Ui::MainWindow;

// The controls of each model value, in the order of the model's enums.
struct ScrollControls {
    QScrollBar* Form::*bar;
    QLineEdit* Form::*valueBox;
    QLineEdit* Form::*readout;  // the three sizes only
};

const ScrollControls kScrollControls[kScrollBarCount] = {
    {&Form::Echelle2, &Form::Echelle3, &Form::Echelle4},
    {&Form::Espace2, &Form::Espace3, &Form::Espace4},
    {&Form::Interligne2, &Form::Interligne3, &Form::Interligne4},
    {&Form::Outil2, &Form::Outil3, nullptr},
    {&Form::Correcteur2, &Form::Correcteur3, nullptr},
    {&Form::Rotation2, &Form::Rotation3, nullptr},
    {&Form::Avance2, &Form::Avance3, nullptr},
    {&Form::Gamme2, &Form::Gamme3, nullptr},
    {&Form::Posx2, &Form::Posx3, nullptr},
    {&Form::Posy2, &Form::Posy3, nullptr},
    {&Form::Posz2, &Form::Posz3, nullptr},
    {&Form::Nom2, &Form::Nom3, nullptr},
};

constexpr QLineEdit* Form::*kLines[kLineCount] = {&Form::Saisie12, &Form::Saisie22, &Form::Saisie32,
                                                   &Form::Saisie42, &Form::Saisie52};
constexpr QLineEdit* Form::*kWidthReadouts[kLineCount] = {&Form::Saisie13, &Form::Saisie23, &Form::Saisie33,
                                                           &Form::Saisie43, &Form::Saisie53};

constexpr QComboBox* Form::*kSerialCombos[kSerialSettingCount] = {&Form::Port2, &Form::Vitesse2, &Form::Parité2,
                                                                   &Form::Nbrebits2, &Form::Bitsstop2};

const std::vector<QRadioButton* Form::*> kOptionButtons[kOptionGroupCount] = {
    {&Form::Lubrification2, &Form::Lubrification3},
    {&Form::Changeur2, &Form::Changeur3},
    {&Form::Justification1, &Form::Justification2, &Form::Justification3},
    {&Form::Option1, &Form::Option2, &Form::Option3, &Form::Option4},
    {&Form::Origine1, &Form::Origine2, &Form::Origine3, &Form::Origine4},
};

Qt::Alignment alignmentOf(Justification justification)
{
    switch (justification) {
    case Justification::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Justification::Centred:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Justification::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Justification::None:
        break;
    }
    return {};
}

// Only a text that differs is written: writing the same text again would move
// the cursor of the line the operator is typing in.
void showText(QLineEdit& box, const QString& text)
{
    if (box.text() != text)
        box.setText(text);
}

// Alt-letter shortcuts for the window's command buttons. The captions keep
// their text; the chosen letter is marked so the style underlines it.
struct ShortcutRow {
    const char* button;
    const char* letter;  // the first occurrence of it in the caption is marked
};

// No two buttons share a letter: Alt+E is "Enregistrer", so "Effacer" takes
// its F; Alt+A is "A propos de", so "Aperçu" takes its P.
constexpr ShortcutRow kShortcutRows[] = {
    {"Const1", "C"},    // Construire
    {"Télé1", "T"},     // Télécharger
    {"Sauve", "E"},     // Enregistrer
    {"Quitter1", "Q"},  // Quitter
    {"Apropos1", "A"},  // A propos de
    {"Effacer", "f"},   // Effacer
    {"Aperçu1", "p"},   // Aperçu
};

void addCommandShortcuts(QWidget& window)
{
    for (const ShortcutRow& row : kShortcutRows) {
        auto* button = window.findChild<QAbstractButton*>(QString::fromUtf8(row.button));
        if (!button)
            continue;
        QString caption = button->text();
        const qsizetype at = caption.indexOf(QString::fromUtf8(row.letter));
        if (at < 0 || caption.contains(QLatin1Char('&')))
            continue;
        caption.insert(at, QLatin1Char('&'));
        button->setText(caption);
    }
}

}  // namespace

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addFile(QStringLiteral(":/images/velmora-%1.png").arg(size), QSize(size, size));
    return icon;
}

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>())
{
    ui_->setupUi(this);
    setWindowIcon(programIcon());
    meter_ = std::make_unique<Meter>(ui_->Visu1, ui_->Visu2);

    showModel(~0u);
    model_.setListener([this](unsigned changes) { showModel(changes); });
    connectInput();
    connectCommands();
    installExactValueEntry(*this);
    addCommandShortcuts(*this);
}

// The controls go first, while the model their connections reach still lives.
MainWindow::~MainWindow()
{
    model_.setListener({});
    delete ui_->centralwidget;
}

Meter& MainWindow::meter()
{
    return *meter_;
}

void MainWindow::reloadListing()
{
    ui_->Programme->setListing(ProgramListing(readProgramListing(std::filesystem::path(kProgramFileName))));
    emit listingReloaded();
}

void MainWindow::showWrittenProgram(WrittenProgram program)
{
    ui_->Programme->setListing(ProgramListing(std::move(program)));
    emit listingReloaded();
}

void MainWindow::setToolTips()
{
    applyToolTips(*this);
}

// Every change of a control, by the operator or by the program, goes to the
// model, whose reaction the window then shows.
void MainWindow::connectInput()
{
    for (int i = 0; i < kScrollBarCount; ++i) {
        const auto bar = static_cast<ScrollBar>(i);
        connect(ui_.get()->*kScrollControls[i].bar, &QScrollBar::valueChanged, this, [this, bar](int v) {
            if (!showingScrollBars_)
                model_.setScrollValue(bar, v);
        });
    }
    for (int line = 1; line <= kLineCount; ++line) {
        connect(ui_.get()->*kLines[line - 1], &QLineEdit::textChanged, this, [this, line](const QString& text) {
            typing_ = true;
            model_.setLineText(line, toLineText(text));
            typing_ = false;
        });
    }
    connect(ui_->Effacer, &QPushButton::clicked, this, [this] { model_.clearLines(); });
    for (int g = 0; g < kOptionGroupCount; ++g) {
        const auto group = static_cast<OptionGroup>(g);
        for (int button = 0; button < static_cast<int>(kOptionButtons[g].size()); ++button) {
            connect(ui_.get()->*kOptionButtons[g][button], &QRadioButton::toggled, this,
                    [this, group, button](bool selected) {
                        if (selected)
                            model_.select(group, button);
                    });
        }
    }
    for (int i = 0; i < kSerialSettingCount; ++i) {
        const auto setting = static_cast<SerialSetting>(i);
        QComboBox* combo = ui_.get()->*kSerialCombos[i];
        const auto follow = [this, setting, combo] { model_.setSerialText(setting, toLineText(combo->currentText())); };
        connect(combo, &QComboBox::currentTextChanged, this, follow);
        connect(combo, &QComboBox::editTextChanged, this, follow);
    }
}

void MainWindow::connectCommands()
{
    connect(ui_->Const1, &QPushButton::clicked, this, &MainWindow::buildRequested);
    connect(ui_->Télé1, &QPushButton::clicked, this, &MainWindow::downloadRequested);
    connect(ui_->Sauve, &QPushButton::clicked, this, &MainWindow::saveRequested);
    connect(ui_->Quitter1, &QPushButton::clicked, this, &MainWindow::quitRequested);
    connect(ui_->Apropos1, &QPushButton::clicked, this, &MainWindow::aboutRequested);
    connect(ui_->Aperçu1, &QPushButton::clicked, this, &MainWindow::previewRequested);
}

void MainWindow::showModel(unsigned changes)
{
    if (changes & FormModel::ScrollBars)
        showScrollBars();
    // The line the operator types in shows its text already.
    if ((changes & FormModel::TextLines) && !typing_)
        showTextLines();
    if (changes & FormModel::Extents)
        showExtents();
    if (changes & FormModel::Options)
        showOptions();
    if (changes & FormModel::SerialSettings)
        showSerialSettings();
}

void MainWindow::showScrollBars()
{
    showingScrollBars_ = true;
    for (int i = 0; i < kScrollBarCount; ++i) {
        const auto bar = static_cast<ScrollBar>(i);
        const ScrollControls& controls = kScrollControls[i];
        (ui_.get()->*controls.bar)->setValue(model_.scrollValue(bar));
        showText(*(ui_.get()->*controls.valueBox), fromWindows1252(model_.valueBox(bar)));
        if (controls.readout)
            showText(*(ui_.get()->*controls.readout), fromWindows1252(model_.sizeReadout(bar)));
    }
    showingScrollBars_ = false;
}

void MainWindow::showTextLines()
{
    for (int line = 1; line <= kLineCount; ++line)
        showText(*(ui_.get()->*kLines[line - 1]), fromLineText(model_.lineText(line)));
}

void MainWindow::showExtents()
{
    for (int line = 1; line <= kLineCount; ++line)
        showText(*(ui_.get()->*kWidthReadouts[line - 1]), fromWindows1252(model_.lineReadout(line)));
    showText(*ui_->Encombrement, fromWindows1252(model_.encombrement()));
}

void MainWindow::showOptions()
{
    for (int g = 0; g < kOptionGroupCount; ++g) {
        const int selected = model_.selectedButton(static_cast<OptionGroup>(g));
        if (selected != kNoButton)
            (ui_.get()->*kOptionButtons[g][selected])->setChecked(true);
    }
    if (const Justification justification = model_.justification(); justification != Justification::None) {
        for (QLineEdit* Form::*line : kLines)
            (ui_.get()->*line)->setAlignment(alignmentOf(justification));
    }
    for (QRadioButton* corner : {ui_->Origine1, ui_->Origine2, ui_->Origine3, ui_->Origine4})
        corner->setEnabled(model_.cornersEnabled());
}

// A text set by the program that is one of the items selects that item; any
// other stands as typed. The combo box the operator types in already shows it.
void MainWindow::showSerialSettings()
{
    for (int i = 0; i < kSerialSettingCount; ++i) {
        QComboBox& combo = *(ui_.get()->*kSerialCombos[i]);
        const QString text = fromLineText(model_.serialText(static_cast<SerialSetting>(i)));
        if (combo.currentText() == text)
            continue;
        const int item = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (item >= 0)
            combo.setCurrentIndex(item);
        if (combo.currentText() != text)
            combo.setEditText(text);
    }
}

}  // namespace velmora
