#include "construction_meter.h"

#include "panel/meter.h"

#include "common/numbers.h"

namespace velmora {

QString percentCaption(int percent)
{
    return QString::fromStdString(numberText(static_cast<float>(percent))) + QStringLiteral(" %");
}

void ConstructionMeter::showProgress(int doneCount, int totalChars)
{
    const int fullTwips = meter_.fullTwips();
    if (totalChars <= 0 || fullTwips <= 0)
        return;
    meter_.setBarTwips(static_cast<double>(fullTwips) * doneCount / totalChars);
    const int barTwips = meter_.barTwips();
    // Rounded down: 100 % only once the bar is as wide as the caption.
    const int percent = static_cast<int>(static_cast<long long>(barTwips) * 100 / fullTwips);
    if (barTwips == shownBarTwips_ && percent == shownPercent_)
        return;
    if (percent != shownPercent_)
        meter_.setCaption(percentCaption(percent));
    shownBarTwips_ = barTwips;
    shownPercent_ = percent;
    repaintSoon();
}

// A change not repainted now is painted by the next repaint, or by the window
// once the construction has ended.
void ConstructionMeter::repaintSoon()
{
    const auto now = std::chrono::steady_clock::now();
    if (lastRepaint_ && now - *lastRepaint_ < kRepaintInterval)
        return;
    meter_.repaintNow();
    lastRepaint_ = now;
}

void ConstructionMeter::showFull()
{
    meter_.setBarTwips(meter_.fullTwips());
    shownBarTwips_ = meter_.barTwips();
    meter_.repaintNow();
}

void ConstructionMeter::rest()
{
    meter_.rest();
    shownBarTwips_.reset();
    shownPercent_.reset();
    meter_.repaintNow();
}

}  // namespace velmora
