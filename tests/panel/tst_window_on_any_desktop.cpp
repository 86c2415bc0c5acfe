// The window on desktops other than the one it was drawn on: under a dark
// theme every text it fixes a background for stays readable, measured on what
// is painted; on a small or scaled screen the window fits and its title bar
// can be reached.

#include "app/splash_window.h"
#include "panel/main_window.h"
#include "panel/meter.h"
#include "panel/window_placement.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>
#include <QScrollArea>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

using namespace velmora;

namespace {

// A dark desktop palette, as a dark theme hands it to the program.
QPalette darkPalette()
{
    QPalette dark;
    const std::pair<QPalette::ColorRole, QRgb> roles[] = {
        {QPalette::Window, 0x353535}, {QPalette::WindowText, 0xeeeeec}, {QPalette::Base, 0x2d2d2d},
        {QPalette::Text, 0xffffff},   {QPalette::Button, 0x353535},     {QPalette::ButtonText, 0xeeeeec},
        {QPalette::Highlight, 0x15539e}, {QPalette::HighlightedText, 0xffffff}};
    for (const auto& [role, colour] : roles)
        dark.setColor(role, QColor(colour));
    return dark;
}

// Relative luminance and contrast ratio, as accessibility guidelines measure them.
double luminance(QRgb pixel)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) + 0.0722 * channel(qBlue(pixel));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background is the commonest colour inside the area; the text, the
// pixel that stands out most from it.
double textContrast(const QImage& image, QRect area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) & RGB_MASK];
    QRgb background = 0;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most)
            most = count, background = colour;
    double best = 1.0;
    for (const auto& [colour, count] : counts)
        best = std::max(best, contrast(colour, background));
    return best;
}

}  // namespace

class WindowOnAnyDesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { lightPalette_ = QApplication::palette(); }
    void cleanup() { QApplication::setPalette(lightPalette_); }

    void textsStayReadableOnADarkTheme_data()
    {
        QTest::addColumn<bool>("splash");  // the splash window, or the main window
        QTest::addColumn<QString>("name");
        for (const char* name : {"Saisie12", "Const1", "Effacer", "Visu1", "Encombrement", "Justification1"})
            QTest::newRow(name) << false << QString::fromUtf8(name);
        for (const char* name : {"lblVersion", "lblCompany", "Label1", "Label3"})
            QTest::newRow(name) << true << QString::fromUtf8(name);
    }

    void textsStayReadableOnADarkTheme()
    {
        QFETCH(bool, splash);
        QFETCH(QString, name);
        QApplication::setPalette(darkPalette());
        MainWindow main;
        SplashWindow splashWindow;
        QWidget& window = splash ? static_cast<QWidget&>(splashWindow) : main;
        control<QLineEdit>(main, "Saisie12")->setText(QStringLiteral("HIJKLM hijklm"));
        // The meter's caption half over its bar, as during a construction.
        main.meter().showItemsSent(1, 2);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Away from the text lines, whose cursor would count as text.
        control<QWidget>(main, "Programme")->setFocus();

        const QImage painted = window.grab().toImage();
        QWidget* shown = control<QWidget>(window, name.toUtf8().constData());
        const QRect area = QRect(shown->mapTo(&window, QPoint(0, 0)), shown->size()).adjusted(4, 4, -4, -4);
        const double ratio = textContrast(painted, area);
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1: %2:1").arg(name).arg(ratio, 0, 'f', 2)));
    }

    void windowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<bool>("scrolled");
        // The free area in the window's own pixels: a 1366 x 768 screen with
        // a 40-pixel panel, divided by the scaling.
        QTest::newRow("1366 x 768 at 100 %") << QRect(0, 0, 1366, 728) << false;
        QTest::newRow("1366 x 768 at 200 %") << QRect(0, 0, 683, 364) << true;
        QTest::newRow("at 200 %, second screen") << QRect(1366, 0, 683, 364) << true;
        QTest::newRow("wide and low") << QRect(0, 0, 1920, 500) << true;
    }

    void windowFitsTheScreen()
    {
        QFETCH(QRect, available);
        QFETCH(bool, scrolled);
        const QMargins frame(4, 30, 4, 4);

        MainWindow window;
        const QSize formSize = window.size();
        fitOnScreen(window, available, frame);

        const QRect framed(window.pos(), window.size().grownBy(frame));
        QVERIFY2(available.contains(framed), qPrintable(QDebug::toString(framed)));
        auto* area = qobject_cast<QScrollArea*>(window.centralWidget());
        QCOMPARE(area != nullptr, scrolled);
        if (scrolled) {
            // The whole form, at its own size, inside the scroll area.
            QCOMPARE(area->widget()->size(), formSize);
            QVERIFY(area->widget()->isAncestorOf(control<QWidget>(window, "Const1")));
        } else {
            QCOMPARE(window.size(), formSize);
            QVERIFY((framed.center() - available.center()).manhattanLength() <= 1);
        }
    }

private:
    QPalette lightPalette_;
};

QTEST_MAIN(WindowOnAnyDesktopTest)
#include "tst_window_on_any_desktop.moc"
