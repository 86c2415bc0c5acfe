#include "app/splash_window.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace velmora;

class SplashWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void closesOnCharacterKeys_data();
    void closesOnCharacterKeys();
    void staysOpenOnOtherKeys_data();
    void staysOpenOnOtherKeys();

    void closesOnClickInsideFrame_data();
    void closesOnClickInsideFrame();
    void staysOpenOnOtherClicks_data();
    void staysOpenOnOtherClicks();

    void showSplashWaitsAndCleansUp();
    void centredOnScreen();

private:
    std::unique_ptr<SplashWindow> splash_;
    QWidget* part(const QString& name) const;
};

void SplashWindowTest::init()
{
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    QVERIFY(QTest::qWaitForWindowExposed(splash_.get()));
}

void SplashWindowTest::cleanup() { splash_.reset(); }

QWidget* SplashWindowTest::part(const QString& name) const
{
    return splash_->findChild<QWidget*>(name);
}

void SplashWindowTest::closesOnCharacterKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("letter a") << int(Qt::Key_A) << "a";
    QTest::newRow("space") << int(Qt::Key_Space) << " ";
    QTest::newRow("accented letter") << int(Qt::Key_Eacute) << QString::fromUtf8("é");
    QTest::newRow("Enter") << int(Qt::Key_Return) << "\r";
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r";
    QTest::newRow("Escape") << int(Qt::Key_Escape) << "\x1b";
    QTest::newRow("Escape without text") << int(Qt::Key_Escape) << QString();
}

void SplashWindowTest::closesOnCharacterKeys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(splash_.get(), &press);
    QVERIFY(!splash_->isVisible());
    QCOMPARE(splash_->result(), int(QDialog::Accepted));
}

void SplashWindowTest::staysOpenOnOtherKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("left arrow") << int(Qt::Key_Left);
    QTest::newRow("down arrow") << int(Qt::Key_Down);
    QTest::newRow("F1") << int(Qt::Key_F1);
    QTest::newRow("Shift alone") << int(Qt::Key_Shift);
    QTest::newRow("Page Down") << int(Qt::Key_PageDown);
}

void SplashWindowTest::staysOpenOnOtherKeys()
{
    QFETCH(int, key);
    QTest::keyClick(splash_.get(), Qt::Key(key));
    QVERIFY(splash_->isVisible());
}

void SplashWindowTest::closesOnClickInsideFrame_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("at");  // in the target; a null point means its centre
    QTest::newRow("frame, empty part") << "Frame1" << QPoint(270, 100);
    QTest::newRow("frame, its border") << "Frame1" << QPoint(0, 100);
    QTest::newRow("picture") << "Image2" << QPoint();
    QTest::newRow("version") << "lblVersion" << QPoint();
    QTest::newRow("author") << "lblCompany" << QPoint(40, 4);
    QTest::newRow("town") << "Label1" << QPoint();
    QTest::newRow("first web address") << "Label2" << QPoint();
    QTest::newRow("second web address") << "Label4" << QPoint();
    QTest::newRow("click to continue") << "Label3" << QPoint();
}

void SplashWindowTest::closesOnClickInsideFrame()
{
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QWidget* widget = part(target);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    QVERIFY(!splash_->isVisible());
    QCOMPARE(splash_->result(), int(QDialog::Accepted));
}

void SplashWindowTest::staysOpenOnOtherClicks_data()
{
    QTest::addColumn<QString>("target");  // empty: the window itself
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<int>("button");
    QTest::newRow("strip on the left") << QString() << QPoint(3, 100) << int(Qt::LeftButton);
    QTest::newRow("strip at the bottom") << QString() << QPoint(150, 219) << int(Qt::LeftButton);
    QTest::newRow("right button on the picture") << "Image2" << QPoint(10, 10) << int(Qt::RightButton);
    QTest::newRow("middle button on the frame") << "Frame1" << QPoint(270, 100) << int(Qt::MiddleButton);
}

void SplashWindowTest::staysOpenOnOtherClicks()
{
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(int, button);
    QWidget* widget = target.isEmpty() ? splash_.get() : part(target);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::MouseButton(button), {}, at);
    QVERIFY(splash_->isVisible());
}

void SplashWindowTest::showSplashWaitsAndCleansUp()
{
    splash_.reset();
    bool wasShownModal = false;
    QTimer::singleShot(0, this, [&wasShownModal] {
        QWidget* modal = QApplication::activeModalWidget();
        wasShownModal = modal && modal->objectName() == QStringLiteral("Démarrage");
        if (modal)
            QTest::keyClick(modal, Qt::Key_A);
    });
    showSplash(nullptr);
    QVERIFY(wasShownModal);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QVERIFY(qApp->findChildren<SplashWindow*>().isEmpty());
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<SplashWindow*>(widget));
}

void SplashWindowTest::centredOnScreen()
{
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    const QPoint windowCentre = splash_->geometry().center();
    QVERIFY2((screenCentre - windowCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("window centre %1,%2").arg(windowCentre.x()).arg(windowCentre.y())));
}

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
