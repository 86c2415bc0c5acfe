#include "meter.h"

#include "common/numbers.h"
#include "transmission/download.h"

#include <QLabel>

#include <cmath>

namespace velmora {

Meter::Meter(QLabel* visu1, QLabel* visu2) : visu1_(visu1), visu2_(visu2) {}

int Meter::fullPixels() const
{
    return visu1_->width();
}

int Meter::barPixels() const
{
    return visu2_->width();
}

void Meter::setBarPixels(double pixels)
{
    const double whole = std::floor(pixels);
    const int width = whole > 0 ? static_cast<int>(std::fmin(whole, QWIDGETSIZE_MAX)) : 0;
    // A long text moves the bar by a pixel only every few dozen characters;
    // a resize to the same width would still cost the widget's bookkeeping.
    if (width != visu2_->width())
        visu2_->resize(width, visu2_->height());
}

void Meter::setCaption(const QString& text)
{
    visu1_->setText(text);
}

const QString& Meter::captionOf(int percent)
{
    if (captionPercent_ != percent) {
        captionText_ = QString::fromStdString(percentCaption(percent));
        captionPercent_ = percent;
    }
    return captionText_;
}

void Meter::showShare(double done, double total)
{
    const int full = fullPixels();
    if (!(total > 0) || full <= 0)
        return;
    setBarPixels(full * done / total);
    // Rounded down: 100 % only once the bar is as wide as the caption.
    const int percent = static_cast<int>(static_cast<long long>(barPixels()) * 100 / full);
    setCaption(captionOf(percent));
}

void Meter::showItemsSent(std::size_t sent, std::size_t count)
{
    if (count == 0)
        return;
    const auto sentSingle = static_cast<float>(sent);
    const auto full = static_cast<float>(fullPixels());
    setBarPixels(static_cast<float>(static_cast<double>(full * sentSingle) / static_cast<double>(count)));
    setCaption(captionOf(percentSent(sent, count)));
}

void Meter::showFull()
{
    setBarPixels(fullPixels());
}

void Meter::rest()
{
    setCaption(QStringLiteral("0 %"));
    setBarPixels(1);
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
    painted_ = Shown{barPixels(), visu1_->text()};
    lastRepaint_ = std::chrono::steady_clock::now();
}

void Meter::repaintIfChanged(std::chrono::milliseconds interval)
{
    if (painted_ == Shown{barPixels(), visu1_->text()})
        return;
    if (lastRepaint_ && std::chrono::steady_clock::now() - *lastRepaint_ < interval)
        return;
    repaintNow();
}

}  // namespace velmora
