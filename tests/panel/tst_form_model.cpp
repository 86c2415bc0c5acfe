// The form's model without a window: the display rules of the scroll bars,
// the extents the operator sees while typing and setting sizes, "Effacer",
// and the option groups. Texts are compared byte for byte, as the
// construction copies them.

#include "panel/form_model.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(ScrollBar)

namespace {

using Texts = QList<QByteArray>;

// Character width 4 mm, 1 mm between characters, 2 mm between lines.
FormModel sized()
{
    FormModel form;
    form.setScrollValue(ScrollBar::CharacterSize, 4);
    form.setScrollValue(ScrollBar::CharacterSpacing, 1);
    form.setScrollValue(ScrollBar::LineSpacing, 2);
    return form;
}

void setLines(FormModel& form, const QStringList& texts)
{
    for (int line = 1; line <= kLineCount; ++line)
        form.setLineText(line, texts.value(line - 1).toStdU32String());
}

Texts readouts(const FormModel& form)
{
    Texts texts;
    for (int line = 1; line <= kLineCount; ++line)
        texts.append(QByteArray::fromStdString(form.lineReadout(line)));
    return texts;
}

QByteArray extents(const FormModel& form) { return QByteArray::fromStdString(form.encombrement()); }

const Texts kAllZero = {" 0 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"};

}  // namespace

class FormModelTest : public QObject {
    Q_OBJECT
private slots:
    void valueBox_data()
    {
        QTest::addColumn<ScrollBar>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("expected");
        const auto add = [](const char* name, ScrollBar bar, int value, const char* shown) {
            QTest::addRow("%s at %d", name, value) << bar << value << QByteArray(shown);
        };
        add("Posx2", ScrollBar::PositionX, 0, "-200");
        add("Posx2", ScrollBar::PositionX, 1995, "-.5");
        add("Posx2", ScrollBar::PositionX, 2000, " 0");
        add("Posx2", ScrollBar::PositionX, 2001, " .1");
        add("Posx2", ScrollBar::PositionX, 2015, " 1.5");
        add("Posz2", ScrollBar::PositionZ, 1988, "-1.2");
        add("Outil2", ScrollBar::Tool, 9, "9");
        add("Gamme2", ScrollBar::SpeedRange, 45, "45");
        add("Nom2", ScrollBar::ProgramNumber, 9999, "%9999");
        add("Nom2 beyond its range", ScrollBar::ProgramNumber, 10000, "%9999");
    }

    // These settings play no part in the extents.
    void valueBox()
    {
        QFETCH(ScrollBar, bar);
        QFETCH(int, value);
        QFETCH(QByteArray, expected);
        FormModel form = sized();
        setLines(form, {"ABC"});
        unsigned told = 0;
        form.setListener([&told](unsigned changes) { told |= changes; });

        form.setScrollValue(bar, value);

        QCOMPARE(QByteArray::fromStdString(form.valueBox(bar)), expected);
        QCOMPARE(told, unsigned(FormModel::ScrollBars));
    }

    // A character beyond 16 bits counts once; lines emptied go back to 0.
    void lineChange()
    {
        FormModel form = sized();
        setLines(form, {"stale", "stale", "stale", "stale", "stale"});
        setLines(form, {QString::fromUcs4(U"a\U0001F600b")});
        QCOMPARE(readouts(form), (Texts{" 14 mm", " 0 mm", " 0 mm", " 0 mm", " 0 mm"}));
        QCOMPARE(extents(form), QByteArray(" X :  14 mm / Y :  7 mm"));
    }

    // Each size sets its value box and read-out, then the extents of "ABC"
    // over "AB".
    void sizeSetting_data()
    {
        QTest::addColumn<ScrollBar>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("readoutText");
        QTest::addColumn<QByteArray>("firstWidth");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("Echelle2 to 5") << ScrollBar::CharacterSize << 5 << QByteArray("Haut.  8.75 mm / Larg.  5 mm")
                                       << QByteArray(" 17 mm") << QByteArray(" X :  17 mm / Y :  19.5 mm");
        QTest::newRow("Espace2 to 2") << ScrollBar::CharacterSpacing << 2 << QByteArray("Entre caract\xe8res :  2 mm")
                                      << QByteArray(" 16 mm") << QByteArray(" X :  16 mm / Y :  16 mm");
        QTest::newRow("Interligne2 to 10") << ScrollBar::LineSpacing << 10
                                           << QByteArray("Espace entre lignes :  10 mm ") << QByteArray(" 14 mm")
                                           << QByteArray(" X :  14 mm / Y :  24 mm");
    }

    void sizeSetting()
    {
        QFETCH(ScrollBar, bar);
        QFETCH(int, value);
        QFETCH(QByteArray, readoutText);
        QFETCH(QByteArray, firstWidth);
        QFETCH(QByteArray, block);
        FormModel form = sized();
        setLines(form, {"ABC", "AB"});

        form.setScrollValue(bar, value);

        QCOMPARE(QByteArray::fromStdString(form.valueBox(bar)), QByteArray::number(value));
        QCOMPARE(QByteArray::fromStdString(form.sizeReadout(bar)), readoutText);
        QCOMPARE(readouts(form)[0], firstWidth);
        QCOMPARE(extents(form), block);
    }

    // Clearing empties every line and leaves the read-outs fresh, also when
    // every line was already empty.
    void clear_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("lines with text") << QStringList{"ABC", "", "x", " ", "AB"};
        QTest::newRow("lines already empty") << QStringList{};
    }

    void clear()
    {
        QFETCH(QStringList, lines);
        FormModel form = sized();
        setLines(form, lines);
        unsigned told = 0;
        form.setListener([&told](unsigned changes) { told |= changes; });

        form.clearLines();

        for (int line = 1; line <= kLineCount; ++line)
            QVERIFY(form.lineText(line).empty());
        QCOMPARE(readouts(form), kAllZero);
        QCOMPARE(extents(form), QByteArray(" X :  0 mm / Y :  0 mm"));
        QVERIFY(told & FormModel::Extents);
        QCOMPARE(form.scrollValue(ScrollBar::CharacterSize), 4);
    }

    // An option changes the choices and tells the window once; choosing the
    // button already chosen tells nothing. (The corners under each placement:
    // the main window test.)
    void optionGroups()
    {
        FormModel form = sized();
        unsigned told = 0;
        form.setListener([&told](unsigned changes) { told |= changes; });

        form.select(OptionGroup::Justification, 2);
        form.select(OptionGroup::Origin, 1);
        form.select(OptionGroup::Placement, 2);
        QCOMPARE(told, unsigned(FormModel::Options));
        QCOMPARE(form.justification(), Justification::Right);
        QCOMPARE(form.layoutChoices().corner, Corner::TopRight);
        QCOMPARE(form.layoutChoices().placement, Placement::CentreY);

        told = 0;
        form.select(OptionGroup::Placement, 2);
        QCOMPARE(told, 0u);
    }
};

QTEST_APPLESS_MAIN(FormModelTest)
#include "tst_form_model.moc"
