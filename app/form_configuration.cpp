#include "form_configuration.h"

#include "app/configuration_table.h"
#include "common/codepage.h"
#include "panel/form_model.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace velmora {
namespace {

constexpr OptionGroup kOptionGroups[] = {OptionGroup::Coolant, OptionGroup::ToolChanger, OptionGroup::Justification,
                                         OptionGroup::Placement, OptionGroup::Origin};

// A text a typed serial setting may keep: short and printable. Anything else
// in that place comes from a damaged file, not from the operator.
constexpr qsizetype kLongestTypedSetting = 32;

std::size_t place(const ConfigurationLine& row) { return static_cast<std::size_t>(row.line - 1); }

std::string captionOf(const ConfigurationLine& row)
{
    if (row.form == ValueForm::LineText)
        return "Ligne " + std::to_string(row.textLine);
    return std::string(serialCaption(row.serial));
}

std::optional<char32_t> firstLineBreak(const std::u32string& text)
{
    for (const char32_t c : text) {
        if (c == U'\r' || c == U'\n')
            return c;
    }
    return std::nullopt;
}

// ---- taking the values from the model ----

// The values taken so far, and the first character that cannot be stored.
struct TakenValues {
    ConfigurationValues values;
    std::optional<Failure> unstorable;
};

void storeText(const std::u32string& text, const ConfigurationLine& row, TakenValues& into)
{
    cp1252::EncodeResult bytes = cp1252::encode(text);
    std::optional<char32_t> unstorable = bytes.unrepresentable;
    if (!unstorable)
        unstorable = firstLineBreak(text);
    if (unstorable && !into.unstorable) {
        into.unstorable.emplace(FailureKind::UnstorableCharacter, std::filesystem::path(kConfigurationFileName));
        into.unstorable->line = row.line;
        into.unstorable->detail = captionOf(row);
        into.unstorable->character = *unstorable;
    }
    into.values[place(row)] = std::move(bytes.bytes);
}

void storeLine(const FormModel& form, const ConfigurationLine& row, TakenValues& into)
{
    switch (row.form) {
    case ValueForm::SerialText:
        storeText(form.serialText(row.serial), row, into);
        return;
    case ValueForm::LineText:
        storeText(form.lineText(row.textLine), row, into);
        return;
    case ValueForm::ScrolledText:
    case ValueForm::Position:
        // Written by the display rules, in Windows-1252 already.
        into.values[place(row)] = form.valueBox(row.bar);
        return;
    case ValueForm::OptionState:
        into.values[place(row)] = optionStateText(form.isSelected(row.group, row.button));
        return;
    case ValueForm::ProgramNumber:
        into.values[place(row)] = programNumberText(form.scrollValue(row.bar));
        return;
    }
}

// ---- giving the values to the model ----

bool isTypedSetting(const std::u32string& typed)
{
    const QString text = QString::fromUcs4(typed.data(), static_cast<qsizetype>(typed.size()));
    return text.size() <= kLongestTypedSetting
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

// The serial settings: one of the items, or a setting the operator typed (the
// boxes take typed text, for a port such as COM3). A text that is neither
// gives the item a first start uses.
std::u32string serialTextToApply(const std::string& value, const ConfigurationLine& row)
{
    std::u32string text = cp1252::decode(value);
    return isTypedSetting(text) ? text : cp1252::decode(row.firstStart);
}

void giveLine(FormModel& form, const ConfigurationLine& row, const std::string& value)
{
    switch (row.form) {
    case ValueForm::SerialText:
        form.setSerialText(row.serial, serialTextToApply(value, row));
        return;
    case ValueForm::LineText:
        form.setLineText(row.textLine, cp1252::decode(value));
        return;
    case ValueForm::ScrolledText:
        form.setScrollValue(row.bar, scrollValueOf(value, scrollRange(row.bar)));
        return;
    case ValueForm::OptionState:
        // Selecting clears the group's other buttons, so the last "True" of a
        // group is the one that stays.
        if (optionStateOf(value).value_or(false))
            form.select(row.group, row.button);
        return;
    case ValueForm::ProgramNumber:
        form.setScrollValue(row.bar, programNumberOf(value));
        return;
    case ValueForm::Position:
        form.setScrollValue(row.bar, positionScrollValue(value));
        return;
    }
}

// A file that says "False" (or nothing readable) for every button of a group
// would leave the group without a choice, and the construction reading it
// without an answer; the group then takes its first-start choice.
void selectFirstStartOfEmptyGroups(FormModel& form, const ConfigurationValues& values)
{
    for (const OptionGroup group : kOptionGroups) {
        if (form.selectedButton(group) == kNoButton) {
            const ConfigurationLine& row = selectedOption(values, group);
            form.select(group, row.button);
        }
    }
}

}  // namespace

Result<ConfigurationValues> configurationOf(const FormModel& form)
{
    TakenValues taken;
    for (const ConfigurationLine& row : configurationTable())
        storeLine(form, row, taken);
    if (taken.unstorable)
        return *taken.unstorable;
    return taken.values;
}

void applyConfiguration(FormModel& form, const ConfigurationValues& values)
{
    for (const ConfigurationLine& row : configurationTable())
        giveLine(form, row, values[place(row)]);
    selectFirstStartOfEmptyGroups(form, values);
}

ConfigurationValues valuesToApply(const Result<ConfigurationRead>& loaded)
{
    ConfigurationValues values = firstStartValues();
    if (!loaded.ok())
        return values;
    const std::size_t read = std::min(loaded.value().values.size(), values.size());
    std::copy_n(loaded.value().values.begin(), read, values.begin());
    return values;
}

Result<ConfigurationRead> loadConfigurationInto(FormModel& form, const std::filesystem::path& folder)
{
    Result<ConfigurationRead> loaded = loadConfiguration(folder);
    applyConfiguration(form, valuesToApply(loaded));
    return loaded;
}

QString cleanedLinesMessage(const std::vector<int>& fileLines)
{
    constexpr int kFirstTextLine = 33;
    QStringList names;
    for (const int line : fileLines)
        names << (line >= kFirstTextLine ? QStringLiteral("Ligne %1").arg(line - kFirstTextLine + 1)
                                         : QStringLiteral("ligne %1 de velmora.txt").arg(line));
    return QStringLiteral("Des caractères de commande ont été retirés au chargement de velmora.txt : %1.")
        .arg(names.join(QStringLiteral(", ")));
}

}  // namespace velmora
