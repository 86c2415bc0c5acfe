#include "download_meter.h"

#include "panel/meter.h"
#include "panel/qt_text.h"

namespace velmora {

double DownloadMeter::fullTwips() const
{
    return meter_.fullTwips();
}

void DownloadMeter::setBarTwips(double twips)
{
    const int shown = meter_.barTwips();
    meter_.setBarTwips(twips);
    if (meter_.barTwips() != shown)
        ++changes_;
}

void DownloadMeter::setCaption(const std::string& text)
{
    const QString caption = fromWindows1252(text);
    if (caption_ == caption)
        return;
    caption_ = caption;
    meter_.setCaption(caption);
    ++changes_;
}

}  // namespace velmora
