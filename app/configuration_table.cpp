#include "configuration_table.h"

#include "common/numbers.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdlib>

namespace velmora {
namespace {

constexpr ConfigurationLine serial(int line, SerialSetting setting, std::string_view firstStart)
{
    return {line, ValueForm::SerialText, ScrollBar::CharacterSize, setting, 0, OptionGroup::Coolant, 0, firstStart};
}
constexpr ConfigurationLine scrolled(int line, ScrollBar bar, std::string_view firstStart)
{
    return {line, ValueForm::ScrolledText, bar, SerialSetting::Port, 0, OptionGroup::Coolant, 0, firstStart};
}
constexpr ConfigurationLine option(int line, OptionGroup group, int button, std::string_view firstStart)
{
    return {line, ValueForm::OptionState, ScrollBar::CharacterSize, SerialSetting::Port, 0, group, button, firstStart};
}
constexpr ConfigurationLine programNumber(int line, std::string_view firstStart)
{
    return {line, ValueForm::ProgramNumber, ScrollBar::ProgramNumber, SerialSetting::Port, 0, OptionGroup::Coolant, 0,
            firstStart};
}
constexpr ConfigurationLine position(int line, ScrollBar bar, std::string_view firstStart)
{
    return {line, ValueForm::Position, bar, SerialSetting::Port, 0, OptionGroup::Coolant, 0, firstStart};
}
constexpr ConfigurationLine textLine(int line, int textLine)
{
    return {line, ValueForm::LineText, ScrollBar::CharacterSize, SerialSetting::Port, textLine, OptionGroup::Coolant,
            0, ""};
}

using S = SerialSetting;
using B = ScrollBar;
using G = OptionGroup;

// The control of each line in the form at the end of its row.
// clang-format off
constexpr ConfigurationTable kTable{{
    serial       ( 1, S::Port,                       "COM1"  ),  // Port2
    serial       ( 2, S::Speed,                      "9600"  ),  // Vitesse2
    serial       ( 3, S::Parity,                     "E(ven)"),  // Parité2
    serial       ( 4, S::DataBits,                   "7"     ),  // Nbrebits2
    serial       ( 5, S::StopBits,                   "2"     ),  // Bitsstop2
    scrolled     ( 6, B::CharacterSize,              "5"     ),  // Echelle3
    scrolled     ( 7, B::CharacterSpacing,           "1"     ),  // Espace3
    scrolled     ( 8, B::LineSpacing,                "2"     ),  // Interligne3
    scrolled     ( 9, B::SpindleSpeed,               "2000"  ),  // Rotation3
    scrolled     (10, B::Feed,                       "300"   ),  // Avance3
    scrolled     (11, B::SpeedRange,                 "40"    ),  // Gamme3
    option       (12, G::Coolant, 0,                 "False" ),  // Lubrification2 "Oui"
    option       (13, G::Coolant, 1,                 "True"  ),  // Lubrification3 "Non"
    scrolled     (14, B::Tool,                       "1"     ),  // Outil3
    scrolled     (15, B::Corrector,                  "1"     ),  // Correcteur3
    option       (16, G::ToolChanger, 0,             "False" ),  // Changeur2 "Oui"
    option       (17, G::ToolChanger, 1,             "True"  ),  // Changeur3 "Non"
    programNumber(18,                                " 1 "   ),  // Nom2
    option       (19, G::Justification, 0,           "False" ),  // Justification1
    option       (20, G::Justification, 1,           "True"  ),  // Justification2
    option       (21, G::Justification, 2,           "False" ),  // Justification3
    option       (22, G::Placement, 0,               "True"  ),  // Option1
    option       (23, G::Placement, 1,               "False" ),  // Option2
    option       (24, G::Placement, 2,               "False" ),  // Option3
    option       (25, G::Placement, 3,               "False" ),  // Option4
    position     (26, B::PositionX,                  " 100"  ),  // Posx3
    position     (27, B::PositionY,                  " 60"   ),  // Posy3
    position     (28, B::PositionZ,                  " 0"    ),  // Posz3
    option       (29, G::Origin, 0,                  "True"  ),  // Origine1
    option       (30, G::Origin, 1,                  "False" ),  // Origine2
    option       (31, G::Origin, 2,                  "False" ),  // Origine3
    option       (32, G::Origin, 3,                  "False" ),  // Origine4
    textLine     (33, 1),                                        // Saisie12
    textLine     (34, 2),                                        // Saisie22
    textLine     (35, 3),                                        // Saisie32
    textLine     (36, 4),                                        // Saisie42
    textLine     (37, 5),                                        // Saisie52
}};
// clang-format on

constexpr bool rowsInFileOrder()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (kTable[i].line != static_cast<int>(i) + 1)
            return false;
    }
    return true;
}
static_assert(rowsInFileOrder(), "the rows must follow the file's line order");

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Characters the leading-number rule passes over wherever they stand.
bool isSkippedInNumber(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string_view trimBlanks(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::string_view text, std::string_view word)
{
    return std::equal(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(a) == lower(b);
    });
}

// Whether the leading-number rule finds a number at the start of the text
// rather than falling back to 0: an optional sign, then digits and at most
// one point holding at least one digit.
bool holdsNumber(std::string_view text)
{
    bool signSeen = false, pointSeen = false;
    for (char c : text) {
        if (isSkippedInNumber(c))
            continue;
        if (isDigit(c))
            return true;
        if ((c == '+' || c == '-') && !signSeen && !pointSeen)
            signSeen = true;
        else if (c == '.' && !pointSeen)
            pointSeen = true;
        else
            return false;
    }
    return false;
}

int roundedIntoRange(double value, int minimum, int maximum)
{
    const double rounded = std::nearbyint(value);
    return static_cast<int>(std::clamp(rounded, static_cast<double>(minimum), static_cast<double>(maximum)));
}

}  // namespace

const ConfigurationTable& configurationTable() { return kTable; }

ConfigurationValues firstStartValues()
{
    ConfigurationValues values;
    for (const ConfigurationLine& row : kTable)
        values[static_cast<std::size_t>(row.line - 1)] = std::string(row.firstStart);
    return values;
}

std::optional<bool> optionStateOf(std::string_view text)
{
    const std::string_view word = trimBlanks(text);
    if (equalsIgnoringCase(word, "True"))
        return true;
    if (equalsIgnoringCase(word, "False"))
        return false;
    return std::nullopt;
}

std::string_view optionStateText(bool selected) { return selected ? "True" : "False"; }

const ConfigurationLine& selectedOption(const ConfigurationValues& values, OptionGroup group)
{
    const ConfigurationLine* stored = nullptr;
    const ConfigurationLine* firstStart = nullptr;
    for (const ConfigurationLine& row : kTable) {
        if (row.form != ValueForm::OptionState || row.group != group)
            continue;
        if (optionStateOf(values[static_cast<std::size_t>(row.line - 1)]).value_or(false))
            stored = &row;
        if (row.firstStart == "True")
            firstStart = &row;
    }
    assert(firstStart);
    return stored ? *stored : *firstStart;
}

int scrollValueOf(std::string_view text, ScrollRange range)
{
    if (!holdsNumber(text))
        return range.formValue;
    return roundedIntoRange(leadingNumber(text), range.minimum, range.maximum);
}

std::string programNumberText(int value)
{
    const std::string digits = wholeNumberText(std::abs(static_cast<long long>(value)));
    return (value < 0 ? "-" : " ") + digits + " ";
}

int programNumberOf(std::string_view text) { return scrollValueOf(text, kProgramNumberRange); }

int positionScrollValue(std::string_view text)
{
    return roundedIntoRange(leadingNumber(text) * 10.0 + 2000.0, kPositionRange.minimum, kPositionRange.maximum);
}

}  // namespace velmora
