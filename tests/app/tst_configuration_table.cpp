#include "app/configuration_table.h"

#include "common/numbers.h"

#include <QtTest>

#include <map>

using namespace velmora;

Q_DECLARE_METATYPE(ScrollRange)
Q_DECLARE_METATYPE(OptionGroup)

namespace {

constexpr ScrollRange kEchelle{1, 40, 1};
constexpr ScrollRange kRotation{50, 9950, 50};
constexpr ScrollRange kGamme{40, 45, 40};

// The name without its trailing role digit: "Echelle" for "Echelle3".
std::string_view stem(std::string_view name) { return name.substr(0, name.size() - 1); }

const ConfigurationLine& row(int line) { return configurationTable()[static_cast<std::size_t>(line - 1)]; }

double number(const ConfigurationValues& values, int line)
{
    return leadingNumber(values[static_cast<std::size_t>(line - 1)]);
}

}  // namespace

class ConfigurationTableTest : public QObject {
    Q_OBJECT
private slots:
    void scrollBarsPairWithTheirDisplays();

    void optionState_data();
    void optionState();
    void scrollValue_data();
    void scrollValue();
    void programNumber_data();
    void programNumber();
    void position_data();
    void position();
    void everyShownPositionComesBack();

    void selectedOption_data();
    void selectedOption();

    void firstStartIsAWorkingSet();
    void firstStartBlockFitsThePlate();
};

// A slip in the table would send a number to another setting's scroll bar.
void ConfigurationTableTest::scrollBarsPairWithTheirDisplays()
{
    for (const ConfigurationLine& line : configurationTable()) {
        const bool takesNumber = line.form == ValueForm::ScrolledText || line.form == ValueForm::Position
                                 || line.form == ValueForm::ProgramNumber;
        QCOMPARE(!line.scrollBar.empty(), takesNumber);
        QCOMPARE(line.group != OptionGroup::None, line.form == ValueForm::OptionState);
        if (!takesNumber)
            continue;
        QCOMPARE(stem(line.scrollBar), stem(line.control));
        QVERIFY(line.scrollBar.back() == '2');
        QVERIFY(line.range.minimum <= line.range.formValue && line.range.formValue <= line.range.maximum);
    }
}

void ConfigurationTableTest::optionState_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");  // 1 selected, 0 not selected, -1 not a state
    QTest::newRow("True") << QByteArray("True") << 1;
    QTest::newRow("False") << QByteArray("False") << 0;
    QTest::newRow("lower case") << QByteArray("false") << 0;
    QTest::newRow("upper case with blanks") << QByteArray(" TRUE ") << 1;
    QTest::newRow("digit 1") << QByteArray("1") << -1;
    QTest::newRow("French word") << QByteArray("Vrai") << -1;
    QTest::newRow("longer") << QByteArray("Trueish") << -1;
    QTest::newRow("blank inside") << QByteArray("Tr ue") << -1;
}

void ConfigurationTableTest::optionState()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    const std::optional<bool> state = optionStateOf(text.toStdString());
    QCOMPARE(state.has_value() ? int(*state) : -1, expected);
    if (state)
        QCOMPARE(optionStateOf(optionStateText(*state)), state);
}

void ConfigurationTableTest::scrollValue_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<ScrollRange>("range");
    QTest::addColumn<int>("expected");
    // Numbers in range
    QTest::newRow("plain") << QByteArray("12") << kEchelle << 12;
    QTest::newRow("blanks around") << QByteArray(" 12 ") << kEchelle << 12;
    QTest::newRow("unit after") << QByteArray("7 mm") << kEchelle << 7;
    QTest::newRow("half to even, down") << QByteArray("12.5") << kEchelle << 12;
    QTest::newRow("half to even, up") << QByteArray("13.5") << kEchelle << 14;
    QTest::newRow("speed range") << QByteArray(" 43") << kGamme << 43;
    // Out of range: the nearest end
    QTest::newRow("zero below the minimum") << QByteArray("0") << kEchelle << 1;
    QTest::newRow("negative") << QByteArray("-5") << kEchelle << 1;
    QTest::newRow("above the maximum") << QByteArray("99") << kEchelle << 40;
    QTest::newRow("far above the maximum") << QByteArray("1E300") << kRotation << 9950;
    // No number: the form value
    QTest::newRow("empty, as past the end of a short file") << QByteArray("") << kRotation << 50;
    QTest::newRow("word") << QByteArray("abc") << kGamme << 40;
    QTest::newRow("sign only") << QByteArray("-") << kEchelle << 1;
    QTest::newRow("two signs") << QByteArray("--3") << kRotation << 50;
}

void ConfigurationTableTest::scrollValue()
{
    QFETCH(QByteArray, text);
    QFETCH(ScrollRange, range);
    QFETCH(int, expected);
    QCOMPARE(scrollValueOf(text.toStdString(), range), expected);
}

void ConfigurationTableTest::programNumber_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("12") << 12 << QByteArray(" 12 ");
    QTest::newRow("smallest") << 1 << QByteArray(" 1 ");
    QTest::newRow("largest") << 9999 << QByteArray(" 9999 ");
}

void ConfigurationTableTest::programNumber()
{
    QFETCH(int, value);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(programNumberText(value)), text);
    QCOMPARE(programNumberOf(text.toStdString()), value);
}

void ConfigurationTableTest::position_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("zero") << QByteArray(" 0") << 2000;
    QTest::newRow("minus half") << QByteArray("-.5") << 1995;
    QTest::newRow("twelve and a half") << QByteArray(" 12.5") << 2125;
    QTest::newRow("minus three and a half") << QByteArray("-3.5") << 1965;
    QTest::newRow("half step to even, down") << QByteArray(" .05") << 2000;
    QTest::newRow("half step to even, up") << QByteArray(" .25") << 2002;
    QTest::newRow("top end") << QByteArray(" 200") << 4000;
    QTest::newRow("above the range") << QByteArray(" 250") << 4000;
    QTest::newRow("below the range") << QByteArray("-1E9") << 0;
    QTest::newRow("word") << QByteArray("abc") << 2000;
}

void ConfigurationTableTest::position()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QCOMPARE(positionScrollValue(text.toStdString()), expected);
}

// Every text a position box can show (single precision, 7 digits) must bring
// its scroll bar back to the value that showed it.
void ConfigurationTableTest::everyShownPositionComesBack()
{
    for (int v = kPositionRange.minimum; v <= kPositionRange.maximum; ++v) {
        const auto shown = numberText(static_cast<float>((v - 2000) / 10.0));
        if (positionScrollValue(shown) != v)
            QFAIL(qPrintable(QStringLiteral("\"%1\" came back as %2, not %3")
                                 .arg(QString::fromStdString(shown))
                                 .arg(positionScrollValue(shown))
                                 .arg(v)));
    }
}

void ConfigurationTableTest::selectedOption_data()
{
    QTest::addColumn<OptionGroup>("group");
    QTest::addColumn<QByteArrayList>("states");  // the group's lines in file order
    QTest::addColumn<int>("expected");
    QTest::newRow("one selected") << OptionGroup::Placement << QByteArrayList{"False", "False", "True", "False"} << 24;
    QTest::newRow("last of two wins")
        << OptionGroup::Justification << QByteArrayList{"True", "False", "True"} << 21;
    QTest::newRow("letter case and blanks") << OptionGroup::Origin << QByteArrayList{"false", " TRUE ", "False", "False"} << 30;
    QTest::newRow("none selected: first start's")
        << OptionGroup::Justification << QByteArrayList{"False", "False", "False"} << 20;
    QTest::newRow("garbage is not selected")
        << OptionGroup::Origin << QByteArrayList{"1", "Oui", "", "False"} << 29;
}

void ConfigurationTableTest::selectedOption()
{
    QFETCH(OptionGroup, group);
    QFETCH(QByteArrayList, states);
    QFETCH(int, expected);
    ConfigurationValues values = firstStartValues();
    qsizetype next = 0;
    for (const ConfigurationLine& line : configurationTable()) {
        if (line.group == group)
            values[static_cast<std::size_t>(line.line - 1)] = states.at(next++).toStdString();
    }
    QCOMPARE(next, states.size());
    QCOMPARE(velmora::selectedOption(values, group).line, expected);
}

// A first start must give every control a value it holds as it stands: whole
// numbers inside their ranges written as their display shows them, exactly one
// "True" per group, positions on the scroll bar's tenth-millimetre grid.
void ConfigurationTableTest::firstStartIsAWorkingSet()
{
    const ConfigurationValues values = firstStartValues();
    std::map<OptionGroup, int> selected;
    for (const ConfigurationLine& line : configurationTable()) {
        const std::string& value = values[static_cast<std::size_t>(line.line - 1)];
        switch (line.form) {
        case ValueForm::Text:
            break;
        case ValueForm::ScrolledText: {
            const int whole = scrollValueOf(value, line.range);
            QCOMPARE(value, wholeNumberText(whole));
            QCOMPARE(leadingNumber(value), double(whole));
            break;
        }
        case ValueForm::ProgramNumber:
            QCOMPARE(value, programNumberText(programNumberOf(value)));
            break;
        case ValueForm::Position: {
            const int v = positionScrollValue(value);
            QCOMPARE(value, numberText(static_cast<float>((v - 2000) / 10.0)));
            break;
        }
        case ValueForm::OptionState:
            QVERIFY(value == "True" || value == "False");
            selected[line.group] += value == "True" ? 1 : 0;
            break;
        }
    }
    QCOMPARE(selected.size(), std::size_t{5});
    for (const auto& [group, count] : selected)
        QCOMPARE(count, 1);
    QVERIFY(!values[0].empty() && !values[1].empty() && !values[2].empty());
}

// Centred on the plate, five full lines of sixteen characters at the first
// start's size and spacing must fit, so that the first construction succeeds.
void ConfigurationTableTest::firstStartBlockFitsThePlate()
{
    const ConfigurationValues values = firstStartValues();
    QCOMPARE(row(22).control, std::string_view("Option1"));
    QCOMPARE(values[21], std::string("True"));
    const double size = number(values, 6), spacing = number(values, 7), lineSpacing = number(values, 8);
    const double plateWidth = number(values, 26), plateHeight = number(values, 27);
    const int characters = 16;
    QVERIFY(characters * size + (characters - 1) * spacing <= plateWidth);
    QVERIFY(5 * size * 7 / 4 + 4 * lineSpacing <= plateHeight);
}

QTEST_APPLESS_MAIN(ConfigurationTableTest)
#include "tst_configuration_table.moc"
