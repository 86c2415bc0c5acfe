#pragma once
// The window's meter as the download drives it. The download holds the
// window's thread from the first item to the last, so each change is painted
// at once, the meter alone, and the operator's input waits in the queue until
// the end.

#include "transmission/download.h"

#include <QString>

#include <optional>

namespace velmora {

class Meter;
class PauseSeam;

class DownloadMeter final : public DownloadProgress {
public:
    DownloadMeter(Meter& meter, PauseSeam& pause) : meter_(meter), pause_(pause) {}

    double fullTwips() const override;
    // A long program moves the bar by less than a pixel and the percentage by
    // less than one per item: only a change the operator can see is painted,
    // so the painting never slows the sending.
    void setBarTwips(double twips) override;
    void setCaption(const std::string& text) override;
    void pause(std::chrono::milliseconds length) override;

    // How often the meter was painted, for the benchmark.
    int paintCount() const { return paints_; }

private:
    void paint();

    Meter& meter_;
    PauseSeam& pause_;
    std::optional<QString> caption_;  // the caption last set, nothing before the first
    int paints_ = 0;
};

}  // namespace velmora
