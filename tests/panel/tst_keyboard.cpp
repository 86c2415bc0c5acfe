// The window from the keyboard: the keys move each scroll bar and its value
// box follows by its rule, the Alt letters click their buttons, and the
// exact-value entry sets a bar or refuses with the range named.

#include "panel/exact_value_entry.h"
#include "panel/main_window.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <map>
#include <memory>

using namespace velmora;

namespace {

const char* const kCommandButtons[] = {"Const1", "Télé1", "Sauve", "Quitter1", "Apropos1", "Effacer", "Aperçu1"};

// A scroll bar "Posx2" shows its value in the box "Posx3".
QLineEdit* valueBoxOf(QWidget& window, const QString& bar)
{
    return control<QLineEdit>(window, qPrintable(bar.chopped(1) + '3'));
}

}  // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        window_ = std::make_unique<MainWindow>();
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    }
    void cleanup() { window_.reset(); }

    void keysMoveTheBarAndItsBox_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("shown");  // the box after each key
        QTest::newRow("spindle: down, page up, end") << "Rotation2" << 2000
            << QList<int>{Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End} << QStringList{"1999", "2049", "9950"};
        QTest::newRow("X: every key") << "Posx2" << 2000
            << QList<int>{Qt::Key_Right, Qt::Key_Up, Qt::Key_PageUp, Qt::Key_Left, Qt::Key_Down, Qt::Key_PageDown,
                          Qt::Key_Home, Qt::Key_End}
            << QStringList{" .1", " .2", " 1.2", " 1.1", " 1", " 0", "-200", " 200"};
    }

    void keysMoveTheBarAndItsBox()
    {
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, shown);

        auto* scrollBar = control<QScrollBar>(*window_, qPrintable(bar));
        scrollBar->setValue(start);
        scrollBar->setFocus(Qt::TabFocusReason);
        QVERIFY(scrollBar->hasFocus());
        QStringList seen;
        for (int key : keys) {
            QTest::keyClick(scrollBar, Qt::Key(key));
            seen.append(valueBoxOf(*window_, bar)->text());
        }
        QCOMPARE(seen, shown);
    }

    void altLetterClicksItsButtonAlone_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("button");
        QTest::newRow("Alt+C Construire") << int(Qt::Key_C) << "Const1";
        QTest::newRow("Alt+A A propos de") << int(Qt::Key_A) << "Apropos1";
        QTest::newRow("Alt+F Effacer") << int(Qt::Key_F) << "Effacer";
        QTest::newRow("Alt+P Aperçu") << int(Qt::Key_P) << "Aperçu1";
    }

    void altLetterClicksItsButtonAlone()
    {
        QFETCH(int, key);
        QFETCH(QString, button);

        std::map<QString, std::unique_ptr<QSignalSpy>> clicks;
        for (const char* name : kCommandButtons)
            clicks[QString::fromUtf8(name)]
                = std::make_unique<QSignalSpy>(control<QPushButton>(*window_, name), &QPushButton::clicked);
        // From a text line, where the operator types most of the time.
        control<QLineEdit>(*window_, "Saisie12")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::AltModifier);

        QTRY_COMPARE(clicks.at(button)->count(), 1);
        for (const auto& [name, spy] : clicks)
            QVERIFY2(name == button || spy->isEmpty(), qPrintable(name));
    }

    void exactValue_data()
    {
        QTest::addColumn<QString>("bar");
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("byEnter");  // Enter on the bar, or a double click on the box
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");    // the box once the entry has closed
        QTest::addColumn<QString>("refusal");  // what the entry said, empty when it took the number

        QTest::newRow("size in range") << "Echelle2" << 5 << false << "12" << "12" << "";
        QTest::newRow("Y with a decimal comma, by Enter") << "Posy2" << 0 << true << "-7,5" << "-7.5" << "";
        QTest::newRow("X typed 12.25 keeps the tenth the bar holds")
            << "Posx2" << 2000 << false << "12.25" << " 12.2" << "";
        QTest::newRow("X beyond the plate's range") << "Posx2" << 2000 << false << "200.5" << " 0"
                                                    << "Hors limites : entrer un nombre de -200 à 200 mm.";
        QTest::newRow("tool in tenths") << "Outil2" << 3 << false << "2.5" << "3"
                                        << "Entrer un nombre entier de 1 à 32.";
        QTest::newRow("spindle not a number") << "Rotation2" << 2000 << true << "vite" << "2000"
                                              << "Entrer un nombre entier de 50 à 9950 tr/mn.";
    }

    void exactValue()
    {
        QFETCH(QString, bar);
        QFETCH(int, start);
        QFETCH(bool, byEnter);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, refusal);

        auto* scrollBar = control<QScrollBar>(*window_, qPrintable(bar));
        QLineEdit* valueBox = valueBoxOf(*window_, bar);
        scrollBar->setValue(start);

        bool opened = false;
        QString said;
        QTimer::singleShot(0, this, [&] {
            auto* entry = qobject_cast<ExactValueDialog*>(QApplication::activeModalWidget());
            if (!entry)
                return;
            opened = true;
            entry->entry().setText(typed);
            QTest::keyClick(&entry->entry(), Qt::Key_Return);
            said = entry->refusal();
            if (entry->isVisible())
                entry->reject();
        });
        if (byEnter) {
            scrollBar->setFocus(Qt::TabFocusReason);
            QTest::keyClick(scrollBar, Qt::Key_Return);
        } else {
            QTest::mouseDClick(valueBox, Qt::LeftButton);
        }

        QVERIFY(opened);
        QCOMPARE(said, refusal);
        QCOMPARE(valueBox->text(), shown);
        if (!refusal.isEmpty())
            QCOMPARE(scrollBar->value(), start);
    }

private:
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
