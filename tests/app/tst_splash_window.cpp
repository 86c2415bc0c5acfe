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
    void init()
    {
        splash_ = std::make_unique<SplashWindow>();
        splash_->show();
        QVERIFY(QTest::qWaitForWindowExposed(splash_.get()));
    }

    void cleanup() { splash_.reset(); }

    void closesOnCharacterKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::newRow("letter a") << int(Qt::Key_A) << "a";
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r";
        QTest::newRow("Escape without text") << int(Qt::Key_Escape) << QString();
    }

    void closesOnCharacterKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(splash_.get(), &press);
        QVERIFY(!splash_->isVisible());
        QCOMPARE(splash_->result(), int(QDialog::Accepted));
    }

    void staysOpenOnOtherKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("left arrow") << int(Qt::Key_Left);
        QTest::newRow("F1") << int(Qt::Key_F1);
        QTest::newRow("Shift alone") << int(Qt::Key_Shift);
    }

    void staysOpenOnOtherKeys()
    {
        QFETCH(int, key);
        QTest::keyClick(splash_.get(), Qt::Key(key));
        QVERIFY(splash_->isVisible());
    }

    void closesOnClickInsideFrame_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QPoint>("at");  // in the target; a null point means its centre
        QTest::newRow("frame, empty part") << "Frame1" << QPoint(270, 100);
        QTest::newRow("picture") << "Image2" << QPoint();
        QTest::newRow("version") << "lblVersion" << QPoint();
        QTest::newRow("click to continue") << "Label3" << QPoint();
    }

    void closesOnClickInsideFrame()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QWidget* widget = part(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
        QVERIFY(!splash_->isVisible());
        QCOMPARE(splash_->result(), int(QDialog::Accepted));
    }

    void staysOpenOnOtherClicks_data()
    {
        QTest::addColumn<QString>("target");  // empty: the window itself
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("button");
        QTest::newRow("strip on the left") << QString() << QPoint(3, 100) << int(Qt::LeftButton);
        QTest::newRow("right button on the picture") << "Image2" << QPoint(10, 10) << int(Qt::RightButton);
    }

    void staysOpenOnOtherClicks()
    {
        QFETCH(QString, target);
        QFETCH(QPoint, at);
        QFETCH(int, button);
        QWidget* widget = target.isEmpty() ? splash_.get() : part(target);
        QVERIFY(widget);
        QTest::mouseClick(widget, Qt::MouseButton(button), {}, at);
        QVERIFY(splash_->isVisible());
    }

    void showSplashWaitsAndCleansUp()
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

private:
    std::unique_ptr<SplashWindow> splash_;
    QWidget* part(const QString& name) const
    {
        return splash_->findChild<QWidget*>(name);
    }
};

QTEST_MAIN(SplashWindowTest)
#include "tst_splash_window.moc"
