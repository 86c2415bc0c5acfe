#include "configuration_window.h"

#include "app/configuration_table.h"
#include "panel/main_window.h"
#include "panel/qt_text.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

namespace velmora {
namespace {

constexpr OptionGroup kOptionGroups[] = {OptionGroup::Coolant, OptionGroup::ToolChanger, OptionGroup::Justification,
                                         OptionGroup::Placement, OptionGroup::Origin};

// A text a typed serial setting may keep: short and printable. Anything else
// in that place comes from a damaged file, not from the operator.
constexpr qsizetype kLongestTypedSetting = 32;

QString objectName(std::string_view name)
{
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

template <typename Control>
Control* find(MainWindow& window, std::string_view name)
{
    auto* found = window.findChild<Control*>(objectName(name));
    Q_ASSERT_X(found, "configuration", name.data());
    return found;
}

std::size_t place(const ConfigurationLine& row) { return static_cast<std::size_t>(row.line - 1); }

// The caption label of a setting is named like its control with the role
// digit 1: "Saisie31" ("Ligne 3") for Saisie32, "Port1" for Port2.
QString captionOf(MainWindow& window, const ConfigurationLine& row)
{
    std::string name(row.control);
    name.back() = '1';
    const auto* label = window.findChild<QLabel*>(QString::fromUtf8(name));
    return label ? label->text() : objectName(row.control);
}

QString textOf(MainWindow& window, const ConfigurationLine& row)
{
    if (auto* combo = window.findChild<QComboBox*>(objectName(row.control)))
        return combo->currentText();
    return find<QLineEdit>(window, row.control)->text();
}

std::optional<char32_t> firstLineBreak(const QString& text)
{
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            return c.unicode();
    }
    return std::nullopt;
}

// ---- taking the values from the controls ----

void storeText(MainWindow& window, const ConfigurationLine& row, WindowValues& into)
{
    const QString text = textOf(window, row);
    cp1252::EncodeResult bytes = toWindows1252(text);
    std::optional<char32_t> unstorable = bytes.unrepresentable;
    if (!unstorable)
        unstorable = firstLineBreak(text);
    if (unstorable && !into.unstorable)
        into.unstorable = UnstorableText{row.line, captionOf(window, row), *unstorable};
    into.values[place(row)] = std::move(bytes.bytes);
}

void storeLine(MainWindow& window, const ConfigurationLine& row, WindowValues& into)
{
    switch (row.form) {
    case ValueForm::Text:
    case ValueForm::ScrolledText:
    case ValueForm::Position:
        storeText(window, row, into);
        return;
    case ValueForm::OptionState:
        into.values[place(row)] = optionStateText(find<QRadioButton>(window, row.control)->isChecked());
        return;
    case ValueForm::ProgramNumber:
        into.values[place(row)] = programNumberText(find<QScrollBar>(window, row.scrollBar)->value());
        return;
    }
}

// ---- giving the values to the controls ----

// A scroll bar given the value it already holds runs no reaction, and its
// display box and read-out would keep what they held before: the form's text,
// or a stored text that does not match the value. Running the reaction then
// too makes every display show the value its scroll bar holds.
void giveScrollValue(QScrollBar& bar, int value)
{
    const int held = std::clamp(value, bar.minimum(), bar.maximum());
    if (bar.value() == held)
        emit bar.valueChanged(held);
    else
        bar.setValue(held);
}

bool isTypedSetting(const QString& text)
{
    return text.size() <= kLongestTypedSetting
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

// The serial settings: one of the items, or a setting the operator typed
// (the boxes take typed text, for a port such as COM3). A text that is neither
// gives the item a first start uses.
void giveComboText(QComboBox& combo, const QString& text, const QString& firstStart)
{
    int item = combo.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (item < 0 && combo.isEditable() && isTypedSetting(text)) {
        combo.setEditText(text);
        return;
    }
    if (item < 0)
        item = combo.findText(firstStart, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo.setCurrentIndex(item);
    // The form's blank stands in the edit field while the first item is
    // current; choosing that same item again would leave the blank.
    if (combo.isEditable() && item >= 0)
        combo.setEditText(combo.itemText(item));
}

void giveText(MainWindow& window, const ConfigurationLine& row, const std::string& value)
{
    const QString text = fromWindows1252(value);
    if (auto* combo = window.findChild<QComboBox*>(objectName(row.control))) {
        giveComboText(*combo, text, fromWindows1252(row.firstStart));
        return;
    }
    find<QLineEdit>(window, row.control)->setText(text);
}

void giveLine(MainWindow& window, const ConfigurationLine& row, const std::string& value)
{
    switch (row.form) {
    case ValueForm::Text:
        giveText(window, row, value);
        return;
    case ValueForm::ScrolledText:
        find<QLineEdit>(window, row.control)->setText(fromWindows1252(value));
        giveScrollValue(*find<QScrollBar>(window, row.scrollBar), scrollValueOf(value, row.range));
        return;
    case ValueForm::OptionState:
        // Selecting clears the group's other buttons, so the last "True" of a
        // group is the one that stays.
        if (optionStateOf(value).value_or(false))
            find<QRadioButton>(window, row.control)->setChecked(true);
        return;
    case ValueForm::ProgramNumber:
        giveScrollValue(*find<QScrollBar>(window, row.scrollBar), programNumberOf(value));
        return;
    case ValueForm::Position:
        // Its scroll bar follows once all three position texts are in place.
        find<QLineEdit>(window, row.control)->setText(fromWindows1252(value));
        return;
    }
}

void givePositionScrollValues(MainWindow& window, const ConfigurationValues& values)
{
    for (const ConfigurationLine& row : configurationTable()) {
        if (row.form == ValueForm::Position)
            giveScrollValue(*find<QScrollBar>(window, row.scrollBar), positionScrollValue(values[place(row)]));
    }
}

bool endsPositions(const ConfigurationTable& table, std::size_t i)
{
    return table[i].form == ValueForm::Position
           && (i + 1 == table.size() || table[i + 1].form != ValueForm::Position);
}

bool hasSelection(MainWindow& window, OptionGroup group)
{
    const ConfigurationTable& table = configurationTable();
    return std::any_of(table.begin(), table.end(), [&](const ConfigurationLine& row) {
        return row.group == group && find<QRadioButton>(window, row.control)->isChecked();
    });
}

// A file that says "False" (or nothing readable) for every button of a group
// would leave the group without a choice, and the construction reading it
// without an answer; the group then takes its first-start choice.
void selectFirstStartOfEmptyGroups(MainWindow& window, const ConfigurationValues& values)
{
    for (const OptionGroup group : kOptionGroups) {
        if (!hasSelection(window, group))
            find<QRadioButton>(window, selectedOption(values, group).control)->setChecked(true);
    }
}

}  // namespace

WindowValues configurationFromWindow(MainWindow& window)
{
    WindowValues taken;
    for (const ConfigurationLine& row : configurationTable())
        storeLine(window, row, taken);
    return taken;
}

void applyConfiguration(MainWindow& window, const ConfigurationValues& values)
{
    const ConfigurationTable& table = configurationTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        giveLine(window, table[i], values[i]);
        if (endsPositions(table, i))
            givePositionScrollValues(window, values);
    }
    selectFirstStartOfEmptyGroups(window, values);
}

ConfigurationValues valuesToApply(const LoadResult& loaded)
{
    ConfigurationValues values = firstStartValues();
    if (loaded.status != LoadStatus::Loaded)
        return values;
    const std::size_t read = std::min(loaded.values.size(), values.size());
    std::copy_n(loaded.values.begin(), read, values.begin());
    return values;
}

LoadResult Chargeconfiguration(MainWindow& window, const std::filesystem::path& folder)
{
    LoadResult loaded = loadConfiguration(folder);
    applyConfiguration(window, valuesToApply(loaded));
    return loaded;
}

}  // namespace velmora
