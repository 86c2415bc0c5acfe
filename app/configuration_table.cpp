#include "configuration_table.h"

#include "common/numbers.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace velmora {
namespace {

using F = ValueForm;
using G = OptionGroup;
constexpr ScrollRange kNone{};

// clang-format off
constexpr ConfigurationTable kTable{{
    // line  control            form             scroll bar     range               group             first start
    { 1, "Port2",          F::Text,          "",            kNone,              G::None,          "COM1"   },
    { 2, "Vitesse2",       F::Text,          "",            kNone,              G::None,          "9600"   },
    { 3, "Parité2",        F::Text,          "",            kNone,              G::None,          "E(ven)" },
    { 4, "Nbrebits2",      F::Text,          "",            kNone,              G::None,          "7"      },
    { 5, "Bitsstop2",      F::Text,          "",            kNone,              G::None,          "2"      },
    { 6, "Echelle3",       F::ScrolledText,  "Echelle2",    {1, 40, 1},         G::None,          "5"      },
    { 7, "Espace3",        F::ScrolledText,  "Espace2",     {1, 20, 1},         G::None,          "1"      },
    { 8, "Interligne3",    F::ScrolledText,  "Interligne2", {1, 100, 1},        G::None,          "2"      },
    { 9, "Rotation3",      F::ScrolledText,  "Rotation2",   {50, 9950, 50},     G::None,          "2000"   },
    {10, "Avance3",        F::ScrolledText,  "Avance2",     {50, 2000, 50},     G::None,          "300"    },
    {11, "Gamme3",         F::ScrolledText,  "Gamme2",      {40, 45, 40},       G::None,          "40"     },
    {12, "Lubrification2", F::OptionState,   "",            kNone,              G::Coolant,       "False"  },
    {13, "Lubrification3", F::OptionState,   "",            kNone,              G::Coolant,       "True"   },
    {14, "Outil3",         F::ScrolledText,  "Outil2",      {1, 32, 1},         G::None,          "1"      },
    {15, "Correcteur3",    F::ScrolledText,  "Correcteur2", {1, 32, 1},         G::None,          "1"      },
    {16, "Changeur2",      F::OptionState,   "",            kNone,              G::ToolChanger,   "False"  },
    {17, "Changeur3",      F::OptionState,   "",            kNone,              G::ToolChanger,   "True"   },
    {18, "Nom2",           F::ProgramNumber, "Nom2",        kProgramNumberRange, G::None,         " 1 "    },
    {19, "Justification1", F::OptionState,   "",            kNone,              G::Justification, "False"  },
    {20, "Justification2", F::OptionState,   "",            kNone,              G::Justification, "True"   },
    {21, "Justification3", F::OptionState,   "",            kNone,              G::Justification, "False"  },
    {22, "Option1",        F::OptionState,   "",            kNone,              G::Placement,     "True"   },
    {23, "Option2",        F::OptionState,   "",            kNone,              G::Placement,     "False"  },
    {24, "Option3",        F::OptionState,   "",            kNone,              G::Placement,     "False"  },
    {25, "Option4",        F::OptionState,   "",            kNone,              G::Placement,     "False"  },
    {26, "Posx3",          F::Position,      "Posx2",       kPositionRange,     G::None,          " 100"   },
    {27, "Posy3",          F::Position,      "Posy2",       {0, 4000, 1},       G::None,          " 60"    },
    {28, "Posz3",          F::Position,      "Posz2",       kPositionRange,     G::None,          " 0"     },
    {29, "Origine1",       F::OptionState,   "",            kNone,              G::Origin,        "True"   },
    {30, "Origine2",       F::OptionState,   "",            kNone,              G::Origin,        "False"  },
    {31, "Origine3",       F::OptionState,   "",            kNone,              G::Origin,        "False"  },
    {32, "Origine4",       F::OptionState,   "",            kNone,              G::Origin,        "False"  },
    {33, "Saisie12",       F::Text,          "",            kNone,              G::None,          ""       },
    {34, "Saisie22",       F::Text,          "",            kNone,              G::None,          ""       },
    {35, "Saisie32",       F::Text,          "",            kNone,              G::None,          ""       },
    {36, "Saisie42",       F::Text,          "",            kNone,              G::None,          ""       },
    {37, "Saisie52",       F::Text,          "",            kNone,              G::None,          ""       },
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
    const double rounded = roundHalfEven(value);
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
    assert(group != OptionGroup::None);
    const ConfigurationLine* stored = nullptr;
    const ConfigurationLine* firstStart = nullptr;
    for (const ConfigurationLine& row : kTable) {
        if (row.group != group)
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
