#pragma once
// The progress meter of the frame "Vu-mètre": the label Visu1 (the caption,
// over the whole width of the display) lying over the label Visu2 (the bar).
// The one driver of the meter: the construction, the saving and the download
// show their progress through it, and every caption is written by
// percentCaption. Widths are in pixels, as the window draws them.

#include <QString>

#include <chrono>
#include <cstddef>
#include <optional>

class QLabel;

namespace velmora {

class Meter {
public:
    Meter(QLabel* visu1, QLabel* visu2);

    int fullPixels() const;
    int barPixels() const;

    // The construction's and the saving's rule: the bar at done / total of
    // the full width, cut down to the pixel; the caption the share of the
    // bar as drawn, rounded down, so the two always agree and the caption
    // reads 100 % only once the bar is full. Nothing changes for a total of
    // zero or less.
    void showShare(double done, double total);

    // The download's rule: the bar at sent / count of the full width,
    // reckoned in single precision and cut down to the pixel; the caption the
    // share of the items, rounded down (" 50 %" half way, whatever the bar's
    // pixels).
    void showItemsSent(std::size_t sent, std::size_t count);

    // The bar as wide as the caption; the caption stays.
    void showFull();

    // "0 %" and the bar one pixel wide.
    void rest();

    // The long reactions hold the thread; this shows the meter's state at
    // once, without letting the operator's input through.
    void repaintNow();

    // repaintNow, but only when what the meter shows differs from what it
    // last painted and that painting is at least `interval` old. A change not
    // painted now is painted by a later call, or by the window once the
    // thread is free again.
    void repaintIfChanged(std::chrono::milliseconds interval = {});

private:
    // A width is cut down to the pixel below, so the bar never shows more
    // than was asked, and never below 0.
    void setBarPixels(double pixels);
    void setCaption(const QString& text);
    // percentCaption(percent), written once for a run of the same
    // percentage: a long text keeps one for dozens of characters.
    const QString& captionOf(int percent);

    QLabel* visu1_;
    QLabel* visu2_;
    struct Shown {
        int barPixels;
        QString caption;
        bool operator==(const Shown&) const = default;
    };
    std::optional<Shown> painted_;
    std::optional<int> captionPercent_;
    QString captionText_;
    std::optional<std::chrono::steady_clock::time_point> lastRepaint_;
};

}  // namespace velmora
