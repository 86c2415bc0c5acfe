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
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QStringList>("shown");  // the box after each key

        const auto row = [](const char* name, const char* bar, const char* box, int start, QList<int> keys,
                            QStringList shown) {
            QTest::newRow(name) << QString::fromUtf8(bar) << QString::fromUtf8(box) << start << keys << shown;
        };
        row("size: right, page up", "Echelle2", "Echelle3", 5, {Qt::Key_Right, Qt::Key_PageUp}, {"6", "11"});
        row("spindle: down, page up, end", "Rotation2", "Rotation3", 2000,
            {Qt::Key_Down, Qt::Key_PageUp, Qt::Key_End}, {"1999", "2049", "9950"});
        row("corrector: down, page down, end", "Correcteur2", "Correcteur3", 32,
            {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_End}, {"31", "26", "32"});
        row("X: right, page up, home", "Posx2", "Posx3", 2000, {Qt::Key_Right, Qt::Key_PageUp, Qt::Key_Home},
            {" .1", " 1.1", "-200"});
        row("Z: up, page up, end", "Posz2", "Posz3", 0, {Qt::Key_Up, Qt::Key_PageUp, Qt::Key_End},
            {"-199.9", "-198.9", " 200"});
        row("program number: right, page up", "Nom2", "Nom3", 1, {Qt::Key_Right, Qt::Key_PageUp}, {"%2", "%12"});
    }

    void keysMoveTheBarAndItsBox()
    {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(int, start);
        QFETCH(QList<int>, keys);
        QFETCH(QStringList, shown);

        auto* scrollBar = control<QScrollBar>(*window_, bar.toUtf8().constData());
        auto* valueBox = control<QLineEdit>(*window_, box.toUtf8().constData());
        scrollBar->setValue(start);
        scrollBar->setFocus(Qt::TabFocusReason);
        QVERIFY(scrollBar->hasFocus());
        QStringList seen;
        for (int key : keys) {
            QTest::keyClick(scrollBar, Qt::Key(key));
            seen.append(valueBox->text());
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
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("byEnter");  // Enter on the bar, or a double click on the box
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");    // the box once the entry has closed
        QTest::addColumn<QString>("refusal");  // what the entry said, empty when it took the number

        QTest::newRow("size in range") << "Echelle2" << "Echelle3" << false << "12" << "12" << "";
        QTest::newRow("Y with a decimal comma, by Enter") << "Posy2" << "Posy3" << true << "-7,5" << "-7.5" << "";
        QTest::newRow("X typed 12.25 keeps the tenth the bar holds")
            << "Posx2" << "Posx3" << false << "12.25" << " 12.2" << "";
        QTest::newRow("X beyond the plate's range")
            << "Posx2" << "Posx3" << false << "200.5" << " 0" << "Hors limites : entrer un nombre de -200 à 200 mm.";
        QTest::newRow("tool in tenths") << "Outil2" << "Outil3" << false << "2.5" << "3"
                                        << "Entrer un nombre entier de 1 à 32.";
        QTest::newRow("spindle not a number") << "Rotation2" << "Rotation3" << true << "vite" << "2000"
                                              << "Entrer un nombre entier de 50 à 9950 tr/mn.";
    }

    void exactValue()
    {
        QFETCH(QString, bar);
        QFETCH(QString, box);
        QFETCH(bool, byEnter);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, refusal);

        auto* scrollBar = control<QScrollBar>(*window_, bar.toUtf8().constData());
        auto* valueBox = control<QLineEdit>(*window_, box.toUtf8().constData());
        control<QScrollBar>(*window_, "Echelle2")->setValue(5);
        control<QScrollBar>(*window_, "Outil2")->setValue(3);
        control<QScrollBar>(*window_, "Rotation2")->setValue(2000);
        control<QScrollBar>(*window_, "Posx2")->setValue(2001);
        control<QScrollBar>(*window_, "Posx2")->setValue(2000);
        const int before = scrollBar->value();

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
            QCOMPARE(scrollBar->value(), before);
    }

private:
    std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
