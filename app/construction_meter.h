#pragma once
// The "Vu-mètre" during a construction: the bar grows with the characters
// done, and the percentage is read from the bar as the window draws it, so the
// two always agree.

#include <QString>

#include <chrono>
#include <optional>

namespace velmora {

class Meter;

// " 42 %" for 42: the percentage with its leading blank.
QString percentCaption(int percent);

class ConstructionMeter {
public:
    explicit ConstructionMeter(Meter& meter) : meter_(meter) {}

    // Repaints closer together than this would not be seen, and would cost a
    // short construction more than its writing.
    static constexpr std::chrono::milliseconds kRepaintInterval{20};

    // After each character: the bar at doneCount / totalChars of the full
    // width, then the caption from the bar's drawn width. The meter is
    // repainted at once, the operator's input waiting, but only when what it
    // shows has changed (a long text moves the bar by one pixel only every few
    // dozen characters) and the last repaint is kRepaintInterval old.
    void showProgress(int doneCount, int totalChars);

    // The bar full, as it stays during the pause at the end.
    void showFull();

    // "0 %" and the thin bar.
    void rest();

private:
    void repaintSoon();

    Meter& meter_;
    std::optional<std::chrono::steady_clock::time_point> lastRepaint_;
    std::optional<int> shownBarTwips_;
    std::optional<int> shownPercent_;
};

}  // namespace velmora
