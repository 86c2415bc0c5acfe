#include "app/splash_window.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace velmora;

class SplashWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        splash_ = std::make_unique<SplashWindow>();
        splash_->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash_.get()));
    }

    void cleanup() { splash_.reset(); }

    // The main window's name plate, found among the program's resources.
    void showsTheNamePlate() { QVERIFY(!splash_->findChild<QLabel*>("Image2")->pixmap().isNull()); }

    // A key that types a character, Enter or Escape closes the window, as does
    // a left click anywhere on the frame or what it holds; other keys, the
    // strip around the frame and other buttons leave it open.
    void closing_data()
    {
        QTest::addColumn<int>("key");         // 0: a click
        QTest::addColumn<QString>("text");    // the key's text
        QTest::addColumn<QString>("target");  // clicked; empty: the window itself
        QTest::addColumn<QPoint>("at");       // in the target; a null point means its centre
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter a") << int(Qt::Key_A) << "a" << QString() << QPoint() << 0 << true;
        QTest::newRow("Escape without text") << int(Qt::Key_Escape) << QString() << QString() << QPoint() << 0 << true;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << QString() << QPoint() << 0 << false;
        QTest::newRow("frame, empty part") << 0 << QString() << "Frame1" << QPoint(270, 100) << int(Qt::LeftButton)
                                           << true;
        QTest::newRow("picture") << 0 << QString() << "Image2" << QPoint() << int(Qt::LeftButton) << true;
        QTest::newRow("strip on the left") << 0 << QString() << QString() << QPoint(3, 100) << int(Qt::LeftButton)
                                           << false;
        QTest::newRow("right button on the picture")
            << 0 << QString() << "Image2" << QPoint(10, 10) << int(Qt::RightButton) << false;
    }

    void closing()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(bool, closes);
        if (key) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(splash_.get(), &press);
        } else {
            QWidget* widget = target.isEmpty() ? splash_.get() : splash_->findChild<QWidget*>(target);
            QVERIFY(widget);
            QTest::mouseClick(widget, Qt::MouseButton(button), {}, at.isNull() ? widget->rect().center() : at);
        }
        QCOMPARE(splash_->isVisible(), !closes);
        if (closes)
            QCOMPARE(splash_->result(), int(QDialog::Accepted));
    }

private:
    std::unique_ptr<SplashWindow> splash_;
};

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
