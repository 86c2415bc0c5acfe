// The form's model without a window: the display rules of the scroll bars,
// the extents as sizes are set, "Effacer" and the option groups. Texts are
// compared byte for byte, as the construction copies them.

#include "panel/form_model.h"

#include <QtTest>

using namespace velmora;

Q_DECLARE_METATYPE(ScrollBar)

namespace {

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

QByteArray extents(const FormModel& form) { return QByteArray::fromStdString(form.encombrement()); }

}  // namespace

class FormModelTest : public QObject {
    Q_OBJECT
private slots:
    // Each bar shows its value by its rule; only the three sizes have a
    // read-out and change the extents of "ABC" over "AB".
    void scrollValue_data()
    {
        QTest::addColumn<ScrollBar>("bar");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("valueBox");
        QTest::addColumn<QByteArray>("readout");
        QTest::addColumn<QByteArray>("block");
        const auto add = [](const char* name, ScrollBar bar, int value, const char* box, const char* readout = "",
                            const char* block = " X :  14 mm / Y :  16 mm") {
            QTest::addRow("%s at %d", name, value) << bar << value << QByteArray(box) << QByteArray(readout)
                                                   << QByteArray(block);
        };
        add("Posx2", ScrollBar::PositionX, 1995, "-.5");
        add("Posz2", ScrollBar::PositionZ, 2015, " 1.5");
        add("Outil2", ScrollBar::Tool, 9, "9");
        add("Nom2 beyond its range", ScrollBar::ProgramNumber, 10000, "%9999");
        add("Echelle2", ScrollBar::CharacterSize, 5, "5", "Haut.  8.75 mm / Larg.  5 mm", " X :  17 mm / Y :  19.5 mm");
        add("Espace2", ScrollBar::CharacterSpacing, 2, "2", "Entre caract\xe8res :  2 mm", " X :  16 mm / Y :  16 mm");
        add("Interligne2", ScrollBar::LineSpacing, 10, "10", "Espace entre lignes :  10 mm ",
            " X :  14 mm / Y :  24 mm");
    }

    void scrollValue()
    {
        QFETCH(ScrollBar, bar);
        QFETCH(int, value);
        QFETCH(QByteArray, valueBox);
        QFETCH(QByteArray, readout);
        QFETCH(QByteArray, block);
        FormModel form = sized();
        setLines(form, {"ABC", "AB"});
        unsigned told = 0;
        form.setListener([&told](unsigned changes) { told |= changes; });

        form.setScrollValue(bar, value);

        QCOMPARE(QByteArray::fromStdString(form.valueBox(bar)), valueBox);
        QCOMPARE(QByteArray::fromStdString(form.sizeReadout(bar)), readout);
        QCOMPARE(extents(form), block);
        QCOMPARE(told, FormModel::ScrollBars | (readout.isEmpty() ? 0u : unsigned(FormModel::Extents)));
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

        for (int line = 1; line <= kLineCount; ++line) {
            QVERIFY(form.lineText(line).empty());
            QCOMPARE(QByteArray::fromStdString(form.lineReadout(line)), QByteArray(" 0 mm"));
        }
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
