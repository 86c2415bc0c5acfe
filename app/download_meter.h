#pragma once
// The window's meter as the download drives it. The event loop runs during the
// download and paints the meter as it changes; a long program moves the bar by
// less than a pixel and the percentage by less than one per item, so only a
// change the operator can see is passed on, and the painting never slows the
// sending.

#include "transmission/download.h"

#include <QString>

#include <optional>

namespace velmora {

class Meter;

class DownloadMeter final : public DownloadProgress {
public:
    explicit DownloadMeter(Meter& meter) : meter_(meter) {}

    double fullTwips() const override;
    void setBarTwips(double twips) override;
    void setCaption(const std::string& text) override;

    // How many changes reached the meter, for the benchmark.
    int changeCount() const { return changes_; }

private:
    Meter& meter_;
    std::optional<QString> caption_;  // the caption last set, nothing before the first
    int changes_ = 0;
};

}  // namespace velmora
