#include "app/configuration_table.h"
#include "app/form_configuration.h"
#include "panel/form_job.h"

#include "common/numbers.h"

#include <QtTest>

#include <map>

using namespace velmora;

Q_DECLARE_METATYPE(ScrollRange)
Q_DECLARE_METATYPE(ValueForm)

namespace {

constexpr ScrollRange kEchelle{1, 40, 1};
constexpr ScrollRange kRotation{50, 9950, 50};
constexpr ScrollRange kGamme{40, 45, 40};
constexpr ScrollRange kNoRange{};

FormModel firstStart()
{
    FormModel form;
    applyConfiguration(form, firstStartValues());
    return form;
}

}  // namespace

class ConfigurationTableTest : public QObject {
    Q_OBJECT
private slots:
    // Texts read back into the controls: a number rounded half to even and
    // brought inside the range, the form value when there is no number; an
    // option state in any letter case (1 selected, 0 not, -1 not a state).
    void conversion_data()
    {
        QTest::addColumn<ValueForm>("form");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<ScrollRange>("range");
        const auto scrolled = ValueForm::ScrolledText;
        const auto position = ValueForm::Position;
        const auto option = ValueForm::OptionState;
        QTest::newRow("half to even, down") << scrolled << QByteArray("12.5") << 12 << kEchelle;
        QTest::newRow("half to even, up") << scrolled << QByteArray("13.5") << 14 << kEchelle;
        QTest::newRow("zero below the minimum") << scrolled << QByteArray("0") << 1 << kEchelle;
        QTest::newRow("above the maximum") << scrolled << QByteArray("99") << 40 << kEchelle;
        QTest::newRow("far above the maximum") << scrolled << QByteArray("1E300") << 9950 << kRotation;
        QTest::newRow("empty, as past the end of a short file") << scrolled << QByteArray("") << 50 << kRotation;
        QTest::newRow("word") << scrolled << QByteArray("abc") << 40 << kGamme;
        QTest::newRow("position half step to even, down") << position << QByteArray(" .05") << 2000 << kPositionRange;
        QTest::newRow("position half step to even, up") << position << QByteArray(" .25") << 2002 << kPositionRange;
        QTest::newRow("position above the range") << position << QByteArray(" 250") << 4000 << kPositionRange;
        QTest::newRow("position below the range") << position << QByteArray("-1E9") << 0 << kPositionRange;
        QTest::newRow("position word") << position << QByteArray("abc") << 2000 << kPositionRange;
        QTest::newRow("smallest program number") << ValueForm::ProgramNumber << QByteArray(" 1 ") << 1 << kNoRange;
        QTest::newRow("largest program number") << ValueForm::ProgramNumber << QByteArray(" 9999 ") << 9999 << kNoRange;
        QTest::newRow("option: lower case false") << option << QByteArray("false") << 0 << kNoRange;
        QTest::newRow("option: upper case true with blanks") << option << QByteArray(" TRUE ") << 1 << kNoRange;
        QTest::newRow("option: digit 1") << option << QByteArray("1") << -1 << kNoRange;
        QTest::newRow("option: longer") << option << QByteArray("Trueish") << -1 << kNoRange;
    }

    void conversion()
    {
        QFETCH(ValueForm, form);
        QFETCH(QByteArray, text);
        QFETCH(int, expected);
        QFETCH(ScrollRange, range);
        const std::string value = text.toStdString();
        if (form == ValueForm::OptionState) {
            const std::optional<bool> state = optionStateOf(value);
            QCOMPARE(state.has_value() ? int(*state) : -1, expected);
            if (state)
                QCOMPARE(optionStateOf(optionStateText(*state)), state);
        } else if (form == ValueForm::Position) {
            QCOMPARE(positionScrollValue(value), expected);
        } else if (form == ValueForm::ProgramNumber) {
            QCOMPARE(programNumberOf(value), expected);
            QCOMPARE(QByteArray::fromStdString(programNumberText(expected)), text);
        } else {
            QCOMPARE(scrollValueOf(value, range), expected);
        }
    }

    // Every text a position box can show (single precision, 7 digits) must bring
    // its scroll bar back to the value that showed it.
    void everyShownPositionComesBack()
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

    // A first start must give every value as the form holds it once read
    // (whole numbers inside their ranges, positions on the tenth-millimetre
    // grid), and exactly one "True" per group.
    void firstStartIsAWorkingSet()
    {
        const ConfigurationValues values = firstStartValues();
        QCOMPARE(configurationOf(firstStart()).values, values);
        std::map<OptionGroup, int> selected;
        for (const ConfigurationLine& line : configurationTable()) {
            if (line.form == ValueForm::OptionState)
                selected[line.group] += values[static_cast<std::size_t>(line.line - 1)] == "True" ? 1 : 0;
        }
        QCOMPARE(selected.size(), std::size_t{5});
        for (const auto& [group, count] : selected)
            QCOMPARE(count, 1);
        QVERIFY(!values[0].empty() && !values[1].empty() && !values[2].empty());
    }

    // Centred on the plate, five full lines of sixteen characters at the first
    // start's size and spacing must fit, so that the first construction succeeds.
    void firstStartBlockFitsThePlate()
    {
        FormModel form = firstStart();
        QCOMPARE(form.layoutChoices().placement, Placement::CentreXY);
        for (int line = 1; line <= kLineCount; ++line)
            form.setLineText(line, std::u32string(16, U'W'));
        const EngravingJob job = engravingJobOf(form);
        QVERIFY(std::holds_alternative<LayoutResult>(
            layoutTextBlock(job.blockInput(), form.layoutChoices(), form.encombrement())));
    }
};

QTEST_APPLESS_MAIN(ConfigurationTableTest)
#include "tst_configuration_table.moc"
