#pragma once
// The progress meter of the frame "Vu-mètre": the label Visu1 (the
// percentage, over the whole width of the display) lying over the label Visu2
// (the bar). Widths are in twips, 15 to the pixel, as the construction, the
// saving and the download count them.

#include <QString>

class QLabel;

namespace velmora {

class Meter {
public:
    static constexpr int kTwipsPerPixel = 15;

    Meter(QLabel* visu1, QLabel* visu2);

    int fullTwips() const;
    // The bar is drawn in whole pixels: a width is cut down to the pixel
    // below, so the bar never shows more than was asked, and never below 0.
    void setBarTwips(double twips);
    int barTwips() const;
    void setCaption(const QString& text);
    void rest();
    // The long reactions hold the thread; this shows the meter's new state at
    // once, without letting the operator's input through.
    void repaintNow();

private:
    QLabel* visu1_;
    QLabel* visu2_;
};

}  // namespace velmora
