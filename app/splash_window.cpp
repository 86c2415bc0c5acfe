#include "splash_window.h"

#include "ui_splash_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>

namespace velmora {

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), ui_(std::make_unique<Ui::SplashWindow>())
{
    ui_->setupUi(this);
    setObjectName(QStringLiteral("Démarrage"));
    setFixedSize(size());
    // Its texts fix their colours (dark blue, white on black): the window
    // fixes its own light background with them, whatever the desktop's theme.
    setStyleSheet(QStringLiteral("QDialog { background-color: rgb(240, 240, 240); }\n"
                                 "QLabel, QFrame { color: rgb(0, 0, 0); }"));
    // The main window's name plate (images/draw_artwork.cpp draws it once),
    // stretched to the picture's box.
    ui_->Image2->setPixmap(QPixmap(QStringLiteral(":/images/nameplate.png")));
    centreOnScreen();
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::centreOnScreen()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect placed = rect();
    placed.moveCenter(screen->availableGeometry().center());
    move(placed.topLeft());
}

bool closesSplash(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return !event.text().isEmpty();
    }
}

void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    // QDialog's own handling (Escape rejects) is not wanted: every key either
    // closes the window the same way or is ignored.
    if (closesSplash(*event))
        accept();
}

// The labels and the picture take no clicks, so a click on any of them reaches
// the window here, like a click on the frame itself; only the strip around the
// frame lies outside it.
bool SplashWindow::isOnFrame(const QMouseEvent& event) const
{
    return event.button() == Qt::LeftButton && ui_->Frame1->geometry().contains(event.position().toPoint());
}

void SplashWindow::mousePressEvent(QMouseEvent* event)
{
    pressedOnFrame_ = isOnFrame(*event);
}

void SplashWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressedOnFrame_ && isOnFrame(*event);
    pressedOnFrame_ = false;
    if (click)
        accept();
}

void showSplash(QWidget* parent)
{
    SplashWindow splash(parent);
    splash.exec();
}

}  // namespace velmora
