#include "form_model.h"

#include "common/numbers.h"

#include <algorithm>

namespace velmora {
namespace {

enum class DisplayRule {
    Size,           // the whole number, then a read-out and the extents
    WholeNumber,    // tool, corrector, spindle speed, feed, speed range: "9"
    Position,       // (v - 2000) / 10 mm with its sign or blank: " 1.5", "-.5"
    ProgramNumber,  // "%" and the digits: "%9999"
};

struct ScrollRow {
    ScrollRange range;
    DisplayRule rule;
    std::string (*readout)(int v);  // for the three sizes
};

// In the order of ScrollBar; the ranges and form values of the form.
const ScrollRow kScrollRows[kScrollBarCount] = {
    {{1, 40, 1}, DisplayRule::Size, characterSizeReadout},
    {{1, 20, 1}, DisplayRule::Size, characterSpacingReadout},
    {{1, 100, 1}, DisplayRule::Size, lineSpacingReadout},
    {{1, 32, 1}, DisplayRule::WholeNumber, nullptr},
    {{1, 32, 1}, DisplayRule::WholeNumber, nullptr},
    {{50, 9950, 50}, DisplayRule::WholeNumber, nullptr},
    {{50, 2000, 50}, DisplayRule::WholeNumber, nullptr},
    {{40, 45, 40}, DisplayRule::WholeNumber, nullptr},
    {{0, 4000, 0}, DisplayRule::Position, nullptr},
    {{0, 4000, 1}, DisplayRule::Position, nullptr},
    {{0, 4000, 0}, DisplayRule::Position, nullptr},
    {{1, 9999, 1}, DisplayRule::ProgramNumber, nullptr},
};

constexpr std::string_view kSerialCaptions[kSerialSettingCount] = {"Port", "Vitesse", "Parité", "Nbre Bits",
                                                                   "Bits stop"};

constexpr int kButtonCounts[kOptionGroupCount] = {2, 2, 3, 4, 4};

const ScrollRow& rowOf(ScrollBar bar) { return kScrollRows[static_cast<std::size_t>(bar)]; }

// Worked out in double precision and held in single precision, as the
// position is everywhere else; 2000 stands for 0 mm.
float positionMillimetres(int v)
{
    return static_cast<float>((v - 2000) / 10.0);
}

template <typename Choice, std::size_t N>
Choice choiceOf(int button, const Choice (&choices)[N])
{
    return button >= 0 && button < static_cast<int>(N) ? choices[button] : Choice::None;
}

constexpr Justification kJustifications[] = {Justification::Left, Justification::Centred, Justification::Right};
constexpr Placement kPlacements[] = {Placement::CentreXY, Placement::CentreX, Placement::CentreY, Placement::Free};
constexpr Corner kCorners[] = {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight};

}  // namespace

ScrollRange scrollRange(ScrollBar bar) { return rowOf(bar).range; }

std::string valueBoxText(ScrollBar bar, int v)
{
    switch (rowOf(bar).rule) {
    case DisplayRule::Size:
    case DisplayRule::WholeNumber:
        return wholeNumberText(v);
    case DisplayRule::Position:
        return numberText(positionMillimetres(v));
    case DisplayRule::ProgramNumber:
        return "%" + wholeNumberText(v);
    }
    return {};
}

std::string_view serialCaption(SerialSetting setting) { return kSerialCaptions[static_cast<std::size_t>(setting)]; }

int buttonCount(OptionGroup group) { return kButtonCounts[static_cast<std::size_t>(group)]; }

FormModel::FormModel()
{
    selected_.fill(kNoButton);
    unsigned changes = 0;
    for (int bar = 0; bar < kScrollBarCount; ++bar) {
        scroll_[bar] = kScrollRows[bar].range.formValue;
        runScrollReaction(static_cast<ScrollBar>(bar), changes);
    }
}

void FormModel::setListener(Listener listener) { listener_ = std::move(listener); }

void FormModel::notify(unsigned changes) const
{
    if (listener_)
        listener_(changes);
}

void FormModel::setScrollValue(ScrollBar bar, int value)
{
    const ScrollRange range = scrollRange(bar);
    scroll_[index(bar)] = std::clamp(value, range.minimum, range.maximum);
    unsigned changes = ScrollBars;
    runScrollReaction(bar, changes);
    notify(changes);
}

void FormModel::runScrollReaction(ScrollBar bar, unsigned& changes)
{
    const int v = scroll_[index(bar)];
    valueBox_[index(bar)] = valueBoxText(bar, v);
    if (const auto readout = rowOf(bar).readout) {
        sizeReadout_[index(bar)] = readout(v);
        updateExtents(changes);
    }
}

void FormModel::setLineText(int line, std::u32string text)
{
    std::u32string& held = extentsInput_.lineText[line];
    if (held == text)
        return;
    held = std::move(text);
    unsigned changes = TextLines;
    updateExtents(changes);
    notify(changes);
}

void FormModel::clearLines()
{
    for (int line = 1; line <= kLineCount; ++line)
        setLineText(line, {});
    updateExtents();
}

void FormModel::updateExtents()
{
    unsigned changes = 0;
    updateExtents(changes);
    notify(changes);
}

void FormModel::updateExtents(unsigned& changes)
{
    ExtentsInput& input = extentsInput_;
    input.echelle3 = valueBox(ScrollBar::CharacterSize);
    input.espace3 = valueBox(ScrollBar::CharacterSpacing);
    input.echelle2 = scrollValue(ScrollBar::CharacterSize);
    input.interligne2 = scrollValue(ScrollBar::LineSpacing);
    ExtentsTexts texts = computeExtents(input);
    lineReadout_ = std::move(texts.lineReadout);
    encombrement_ = std::move(texts.encombrement);
    changes |= Extents;
}

void FormModel::select(OptionGroup group, int button)
{
    if (button < 0 || button >= buttonCount(group) || selected_[index(group)] == button)
        return;
    selected_[index(group)] = button;
    notify(Options);
}

LayoutChoices FormModel::layoutChoices() const
{
    return {choiceOf(selectedButton(OptionGroup::Justification), kJustifications),
            choiceOf(selectedButton(OptionGroup::Placement), kPlacements),
            choiceOf(selectedButton(OptionGroup::Origin), kCorners)};
}

void FormModel::setSerialText(SerialSetting setting, std::u32string text)
{
    if (serial_[index(setting)] == text)
        return;
    serial_[index(setting)] = std::move(text);
    notify(SerialSettings);
}

}  // namespace velmora
