#pragma once
// The 37 lines of velmora.txt as data: which value of the form's model each
// line holds and what form it takes there. Saving and applying a file walk
// this table; the conversions below
// are the pure part of applying a value, so that a damaged or hand-edited file
// brings every value to one the form can hold instead of failing.

#include "app/configuration_file.h"
#include "panel/form_model.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class ValueForm {
    SerialText,     // a setting of the frame Transmission as it stands
    LineText,       // a text line as typed
    ScrolledText,   // a value box's text; its whole number goes to the scroll bar
    OptionState,    // "True" or "False"
    ProgramNumber,  // Nom2's value as " n " (blank, digits, blank)
    Position,       // a position value box's text in mm; p x 10 + 2000 goes to the scroll bar
};

// One line of the file and the model value it holds.
struct ConfigurationLine {
    int line;  // 1..37, in file order
    ValueForm form;
    ScrollBar bar = ScrollBar::CharacterSize;  // ScrolledText, ProgramNumber, Position
    SerialSetting serial = SerialSetting::Port;  // SerialText
    int textLine = 0;                           // LineText: 1..5
    OptionGroup group = OptionGroup::Coolant;   // OptionState
    int button = 0;                             // OptionState: the button in its group
    std::string_view firstStart;  // the value used when there is no file yet, in file form
};

using ConfigurationTable = std::array<ConfigurationLine, kConfigurationLineCount>;
const ConfigurationTable& configurationTable();

inline constexpr ScrollRange kPositionRange{0, 4000, 0};
inline constexpr ScrollRange kProgramNumberRange{1, 9999, 1};

// The settings of a first start, exactly as if read from a file: a complete
// working set with one button of every group selected, so that a new operator
// can type a line and build at once.
ConfigurationValues firstStartValues();

// "True" or "False", in any letter case, with blanks and tabs around it;
// nothing for any other text.
std::optional<bool> optionStateOf(std::string_view text);
std::string_view optionStateText(bool selected);

// The button of `group` that ends up selected when the values are applied
// line by line: the last one stored as "True". When none is, the button
// selected at a first start, so that no group is left without a choice.
const ConfigurationLine& selectedOption(const ConfigurationValues& values, OptionGroup group);

// The whole number a stored text gives its scroll bar: the text's leading
// number rounded to the nearest whole number (halves to even), brought into
// the range. A text that holds no number gives the form value.
int scrollValueOf(std::string_view text, ScrollRange range);

// Nom2's value in file form: the sign's place (a blank, or "-"), the digits,
// a blank. 7 gives " 7 ".
std::string programNumberText(int value);
int programNumberOf(std::string_view text);

// The scroll bar value for a stored position text: p x 10 + 2000 where p is the
// text's leading number (0 when none), rounded halves to even, in 0..4000.
// " 12.5" gives 2125, "-.5" gives 1995, " 0" gives 2000.
int positionScrollValue(std::string_view text);

}  // namespace velmora
