#include "exact_value_entry.h"

#include "scroll_bar_keys.h"

#include "common/numbers.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <map>

namespace velmora {
namespace {

// Each value scroll bar, its value box, the label that names it and its unit.
struct SettingRow {
    const char* bar;
    const char* box;
    const char* caption;
    const char* unit;
    bool positionTenths;
};

const SettingRow kSettingRows[] = {
    {"Echelle2", "Echelle3", "Echelle1", "mm", false},
    {"Espace2", "Espace3", "Espace1", "mm", false},
    {"Interligne2", "Interligne3", "Interligne1", "mm", false},
    {"Rotation2", "Rotation3", "Rotation1", "tr/mn", false},
    {"Avance2", "Avance3", "Avance1", "mm/mn", false},
    {"Gamme2", "Gamme3", "Gamme1", "", false},
    {"Outil2", "Outil3", "Outil1", "", false},
    {"Correcteur2", "Correcteur3", "Correcteur1", "", false},
    {"Posx2", "Posx3", "Posx1", "mm", true},
    {"Posy2", "Posy3", "Posy1", "mm", true},
    {"Posz2", "Posz3", "Posz1", "mm", true},
    {"Nom2", "Nom3", "Nom1", "", false},
};

constexpr int kPositionZero = 2000;

double shownValue(const ValueScale& scale, int v)
{
    return scale.positionTenths ? (v - kPositionZero) / 10.0 : v;
}

QString shownText(const ValueScale& scale, int v)
{
    return scale.positionTenths ? QString::number(shownValue(scale, v), 'f', 1) : QString::number(v);
}

QString rangeText(const ValueScale& scale)
{
    QString text = QStringLiteral("de %1 à %2")
                       .arg(QString::number(shownValue(scale, scale.minimum)),
                            QString::number(shownValue(scale, scale.maximum)));
    if (!scale.unit.isEmpty())
        text += QLatin1Char(' ') + scale.unit;
    return text;
}

// "un nombre entier de 1 à 40 mm": what the entry takes.
QString wantedNumber(const ValueScale& scale)
{
    return (scale.positionTenths ? QStringLiteral("un nombre ") : QStringLiteral("un nombre entier "))
        + rangeText(scale) + QLatin1Char('.');
}

// A decimal number as an operator types it: a sign, digits, and a point or a
// comma before the decimals. Nothing else, not even an exponent.
std::optional<double> typedNumber(const QString& typed)
{
    static const QRegularExpression number(QStringLiteral("^\\s*([+-]?(\\d+([.,]\\d*)?|[.,]\\d+))\\s*$"));
    const QRegularExpressionMatch match = number.match(typed);
    if (!match.hasMatch())
        return std::nullopt;
    QString digits = match.captured(1);
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(digits, &ok);
    if (!ok)
        return std::nullopt;
    return value;
}

class DoubleClickOpens final : public QObject {
public:
    DoubleClickOpens(QWidget& box, std::function<void()> open) : QObject(&box), open_(std::move(open))
    {
        box.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick)
            return false;
        open_();
        return true;
    }

private:
    std::function<void()> open_;
};

void openEntry(QScrollBar& bar, const QString& setting, const QString& unit, bool positionTenths, QWidget& window)
{
    const ValueScale scale{bar.minimum(), bar.maximum(), positionTenths, unit};
    ExactValueDialog dialog(setting, scale, bar.value(), &window);
    if (dialog.exec() == QDialog::Accepted)
        bar.setValue(dialog.value());
}

template <typename Control>
Control& namedControl(QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromUtf8(name));
    Q_ASSERT_X(found, "installExactValueEntry", name);
    return *found;
}

}  // namespace

ExactValueReading readExactValue(const QString& typed, const ValueScale& scale)
{
    const std::optional<double> number = typedNumber(typed);
    if (!number || (!scale.positionTenths && *number != std::floor(*number)))
        return {std::nullopt, QStringLiteral("Entrer ") + wantedNumber(scale)};
    if (*number < shownValue(scale, scale.minimum) || *number > shownValue(scale, scale.maximum))
        return {std::nullopt, QStringLiteral("Hors limites : entrer ") + wantedNumber(scale)};
    // A position keeps the tenth the bar can hold, by the rule that reads a
    // stored position back: halves go to the even tenth.
    const double v = scale.positionTenths ? std::nearbyint(*number * 10.0 + kPositionZero) : *number;
    return {static_cast<int>(v), QString()};
}

ExactValueDialog::ExactValueDialog(const QString& setting, const ValueScale& scale, int current, QWidget* parent)
    : QDialog(parent), scale_(scale), value_(current)
{
    setWindowTitle(QStringLiteral("Valeur exacte"));
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("%1, %2 :").arg(setting, rangeText(scale)), this);
    entry_ = new QLineEdit(shownText(scale, current), this);
    entry_->selectAll();
    prompt->setBuddy(entry_);
    refusal_ = new QLabel(this);
    refusal_->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ExactValueDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ExactValueDialog::reject);
    // Typing again puts the reason away until the next try.
    connect(entry_, &QLineEdit::textEdited, refusal_, &QLabel::hide);
    layout->addWidget(prompt);
    layout->addWidget(entry_);
    layout->addWidget(refusal_);
    layout->addWidget(buttons);
}

QString ExactValueDialog::refusal() const
{
    return refusal_->isHidden() ? QString() : refusal_->text();
}

void ExactValueDialog::accept()
{
    const ExactValueReading reading = readExactValue(entry_->text(), scale_);
    if (!reading.value) {
        refusal_->setText(reading.refusal);
        refusal_->show();
        adjustSize();
        entry_->setFocus();
        entry_->selectAll();
        return;
    }
    value_ = *reading.value;
    QDialog::accept();
}

void installExactValueEntry(QWidget& window)
{
    for (const SettingRow& row : kSettingRows) {
        auto& bar = namedControl<QScrollBar>(window, row.bar);
        auto& box = namedControl<QLineEdit>(window, row.box);
        const QString setting = namedControl<QLabel>(window, row.caption).text();
        const QString unit = QString::fromUtf8(row.unit);
        const bool tenths = row.positionTenths;
        QWidget* owner = &window;
        const auto open = [&bar, setting, unit, tenths, owner] { openEntry(bar, setting, unit, tenths, *owner); };
        installScrollBarKeys(bar, open);
        new DoubleClickOpens(box, open);
    }
}

}  // namespace velmora
