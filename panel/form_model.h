#pragma once
// The operator's form without its window: every value the operator sets and
// every display text the display rules derive from them. A change runs the
// same reaction whether the operator made it in the window or a program made
// it here (the configuration, the construction writing back its lines), so the
// displays always follow the values. Plain C++: the construction, the
// configuration file and a program without a window all work on this model;
// the main window only shows it and turns the operator's input into changes.

#include "common/per_line.h"
#include "layout/block_layout.h"
#include "layout/extents.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// The scroll bars, each with its value box (Echelle2 and Echelle3, ...).
enum class ScrollBar {
    CharacterSize,     // Echelle2, mm
    CharacterSpacing,  // Espace2, mm
    LineSpacing,       // Interligne2, mm
    Tool,              // Outil2
    Corrector,         // Correcteur2
    SpindleSpeed,      // Rotation2
    Feed,              // Avance2
    SpeedRange,        // Gamme2
    PositionX,         // Posx2, tenths of a mm from -200 mm
    PositionY,         // Posy2
    PositionZ,         // Posz2
    ProgramNumber,     // Nom2
};
inline constexpr int kScrollBarCount = 12;

struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
    int formValue = 0;  // the value before any setting is applied
};
ScrollRange scrollRange(ScrollBar bar);

// The value box's text for the scroll bar value v, in Windows-1252 bytes: the
// whole number ("9"), a position in mm ((v - 2000) / 10: " 1.5", "-.5") or the
// program number ("%9999").
std::string valueBoxText(ScrollBar bar, int v);

// The settings of the frame "Transmission", texts as typed or chosen.
enum class SerialSetting { Port, Speed, Parity, DataBits, StopBits };
inline constexpr int kSerialSettingCount = 5;
// The caption the operator knows the setting by: "Port", "Nbre Bits".
std::string_view serialCaption(SerialSetting setting);

// The option groups; in each, at most one button is selected.
enum class OptionGroup { Coolant, ToolChanger, Justification, Placement, Origin };
inline constexpr int kOptionGroupCount = 5;
inline constexpr int kNoButton = -1;
// The buttons of each group, counted from 0 in the form's order: Coolant and
// ToolChanger 0 "Oui", 1 "Non"; Justification left, centred, right;
// Placement "Centrage X / Y", "Centrage X", "Centrage Y", "Placement libre";
// Origin top left, top right, bottom left, bottom right.
int buttonCount(OptionGroup group);

class FormModel {
public:
    // What a change touched, for the window to show again.
    enum Change : unsigned {
        ScrollBars = 1,  // values, value boxes and size read-outs
        TextLines = 2,
        Extents = 4,     // width read-outs and Encombrement
        Options = 8,     // selections, alignment and the corners' enabled state
        SerialSettings = 16,
    };
    using Listener = std::function<void(unsigned changes)>;

    // The form's values with every display already in line with them.
    FormModel();

    // Told after every change; one listener (the window).
    void setListener(Listener listener);

    int scrollValue(ScrollBar bar) const { return scroll_[index(bar)]; }
    // Brought into the bar's range. Always runs the bar's reaction, so that a
    // value set again still brings its displays in line: the value box, for a
    // size its read-out, and then the extents.
    void setScrollValue(ScrollBar bar, int value);
    const std::string& valueBox(ScrollBar bar) const { return valueBox_[index(bar)]; }
    // Echelle4, Espace4, Interligne4; empty for the other bars.
    const std::string& sizeReadout(ScrollBar bar) const { return sizeReadout_[index(bar)]; }

    const std::u32string& lineText(int line) const { return extentsInput_.lineText[line]; }
    const PerLine<std::u32string>& lineTexts() const { return extentsInput_.lineText; }
    // A line that changes recomputes the extents and nothing else: the text
    // stays exactly as given.
    void setLineText(int line, std::u32string text);
    // "Effacer": lines 1 to 5 emptied, each change running its reaction, then
    // the extents once more, so the read-outs are fresh even when every line
    // was already empty.
    void clearLines();

    const std::string& lineReadout(int line) const { return lineReadout_[line]; }  // Saisie13..Saisie53
    const std::string& encombrement() const { return encombrement_; }
    // Recomputes the five width read-outs and Encombrement from the lines, the
    // value boxes Echelle3 and Espace3 and the values of Echelle2 and
    // Interligne2. Cheap: it runs on every key typed.
    void updateExtents();

    int selectedButton(OptionGroup group) const { return selected_[index(group)]; }
    bool isSelected(OptionGroup group, int button) const { return selectedButton(group) == button; }
    // Selecting a button clears the others of its group. Selecting a
    // justification aligns the lines; selecting a placement enables or
    // disables the corners. Selecting the button already selected does nothing.
    void select(OptionGroup group, int button);
    LayoutChoices layoutChoices() const;
    // The lines' alignment: None until a justification is selected.
    Justification justification() const { return layoutChoices().justification; }
    // A corner only means something when the block is centred: free placement
    // disables the corner buttons, and the corner selected stays selected.
    bool cornersEnabled() const { return layoutChoices().placement != Placement::Free; }

    const std::u32string& serialText(SerialSetting setting) const { return serial_[index(setting)]; }
    void setSerialText(SerialSetting setting, std::u32string text);

private:
    template <typename E>
    static std::size_t index(E e) { return static_cast<std::size_t>(e); }
    void runScrollReaction(ScrollBar bar, unsigned& changes);
    void updateExtents(unsigned& changes);
    void notify(unsigned changes) const;

    std::array<int, kScrollBarCount> scroll_{};
    std::array<std::string, kScrollBarCount> valueBox_;
    std::array<std::string, kScrollBarCount> sizeReadout_;
    // The lines are kept where the extents read them, so a key typed costs no
    // copy of the five lines.
    ExtentsInput extentsInput_;
    PerLine<std::string> lineReadout_;
    std::string encombrement_;
    std::array<int, kOptionGroupCount> selected_{};
    std::array<std::u32string, kSerialSettingCount> serial_;
    Listener listener_;
};

}  // namespace velmora
