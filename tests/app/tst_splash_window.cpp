#include "app/splash_window.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
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

    // A key that types a character, Enter or Escape closes the window; other
    // keys leave it open.
    void keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("closes");
        QTest::newRow("letter a") << int(Qt::Key_A) << "a" << true;
        QTest::newRow("Escape without text") << int(Qt::Key_Escape) << QString() << true;
        QTest::newRow("left arrow") << int(Qt::Key_Left) << QString() << false;
    }

    void keys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, closes);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(splash_.get(), &press);
        checkClosed(closes);
    }

    // A left click anywhere on the frame or what it holds closes the window;
    // the strip around the frame and other buttons do not.
    void clicks_data()
    {
        QTest::addColumn<QString>("target");  // empty: the window itself
        QTest::addColumn<QPoint>("at");       // in the target; a null point means its centre
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("closes");
        QTest::newRow("frame, empty part") << "Frame1" << QPoint(270, 100) << int(Qt::LeftButton) << true;
        QTest::newRow("picture") << "Image2" << QPoint() << int(Qt::LeftButton) << true;
        QTest::newRow("strip on the left") << QString() << QPoint(3, 100) << int(Qt::LeftButton) << false;
        QTest::newRow("right button on the picture") << "Image2" << QPoint(10, 10) << int(Qt::RightButton) << false;
    }

    void clicks()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QFETCH(bool, closes);
        QWidget* widget = target.isEmpty() ? splash_.get() : splash_->findChild<QWidget*>(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::MouseButton(button), {}, at.isNull() ? widget->rect().center() : at);
        checkClosed(closes);
    }

private:
    void checkClosed(bool closes)
    {
        QCOMPARE(splash_->isVisible(), !closes);
        if (closes)
            QCOMPARE(splash_->result(), int(QDialog::Accepted));
    }

    std::unique_ptr<SplashWindow> splash_;
};

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
