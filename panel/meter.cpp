#include "meter.h"

#include <QLabel>

#include <cmath>

namespace velmora {

Meter::Meter(QLabel* visu1, QLabel* visu2) : visu1_(visu1), visu2_(visu2) {}

int Meter::fullTwips() const
{
    return visu1_->width() * kTwipsPerPixel;
}

void Meter::setBarTwips(double twips)
{
    const double pixels = std::floor(twips / kTwipsPerPixel);
    const int width = pixels > 0 ? static_cast<int>(std::fmin(pixels, QWIDGETSIZE_MAX)) : 0;
    // A long text moves the bar by a pixel only every few dozen characters;
    // a resize to the same width would still cost the widget's bookkeeping.
    if (width != visu2_->width())
        visu2_->resize(width, visu2_->height());
}

int Meter::barTwips() const
{
    return visu2_->width() * kTwipsPerPixel;
}

void Meter::setCaption(const QString& text)
{
    visu1_->setText(text);
}

void Meter::rest()
{
    setCaption(QStringLiteral("0 %"));
    setBarTwips(kTwipsPerPixel);
}

void Meter::repaintNow()
{
    // The caption is transparent over the bar, so both are painted together
    // through their frame; Visu1 spans every width the bar can have had.
    QWidget* frame = visu1_->parentWidget();
    if (frame)
        frame->repaint(visu1_->geometry().united(visu2_->geometry()));
    else
        visu1_->repaint();
}

}  // namespace velmora
