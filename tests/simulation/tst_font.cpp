// The glyph files in Data, as the construction will read them: one for every
// printable character, each one copied faithfully and cutting only inside its
// own cell, all of them on one vertical plan.

#include "common/codepage.h"
#include "fontgen/font.h"
#include "simulation/glyph_rules.h"
#include "simulation/program_measures.h"
#include "simulation/glyph_proof.h"

#include <QFile>
#include <QtTest>

#include <cmath>

using namespace velmora;
using namespace velmora::simulation;

namespace {

// At the drawn size one unit is one millimetre, so the glyph's own rule on
// arcs (ends on the circle within 0.001) is the interpreter's tolerance.
constexpr double kGlyphArcTolerance = 0.001;
constexpr double kEngravingZ = -0.2;  // 1 mm approach height, 1.2 mm plunge
// Glyph coordinates are written to the thousandth, and arcs are set on their
// circles by moving an end a step or two.
constexpr double kPlanTolerance = 0.002;

bool isPrintable(int code)
{
    const char32_t c = cp1252::decode(static_cast<std::uint8_t>(code));
    return code >= 32 && code != 127 && !(c >= 0x80 && c < 0xA0);
}

QString glyphPath(int code)
{
    return QStringLiteral(VELMORA_DATA_DIR "/Ascii%1.prg").arg(code);
}

std::string readGlyph(int code)
{
    QFile file(glyphPath(code));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(glyphPath(code)));
    return file.readAll().toStdString();
}

QString characterOf(int code)
{
    return QString::fromStdU32String(std::u32string(1, cp1252::decode(static_cast<std::uint8_t>(code))));
}

InterpreterOptions glyphInterpreter()
{
    InterpreterOptions options;
    options.arcTolerance = kGlyphArcTolerance;
    return options;
}

// Ink of one glyph set at the origin.
Bounds inkOf(int code)
{
    const GlyphProof proof = unitScaleProof({{readGlyph(code)}});
    return cuttingBounds(interpretProgram(proof.program, glyphInterpreter()).moves);
}

template <typename Issue>
QString describe(const std::vector<Issue>& issues)
{
    QStringList parts;
    for (const Issue& i : issues)
        parts << QString("line %1: %2").arg(i.line).arg(QString::fromStdString(i.what));
    return parts.join("; ");
}

void addEveryGlyph()
{
    QTest::addColumn<int>("code");
    for (int code = 32; code < 256; ++code)
        if (isPrintable(code))
            QTest::addRow("Ascii%d %s", code, qPrintable(characterOf(code))) << code;
}

void addGroup(const char* name, const QString& characters, double low, double high)
{
    QTest::newRow(name) << characters << low << high;
}

}  // namespace

class FontTest : public QObject {
    Q_OBJECT
private slots:
    void exactlyThePrintableCharactersHaveGlyphs();
    void copyRules_data() { addEveryGlyph(); }
    void copyRules();
    void placedAtItsOrigin_data() { addEveryGlyph(); }
    void placedAtItsOrigin();
    void sameAsTheGenerator_data() { addEveryGlyph(); }
    void sameAsTheGenerator();
    void blanksCutNothing();
    void lowestInk_data();
    void lowestInk();
    void highestInk_data();
    void highestInk();
    void wideLettersFillTheCell();
};

void FontTest::exactlyThePrintableCharactersHaveGlyphs()
{
    QStringList missing, extra;
    for (int code = 0; code < 256; ++code) {
        const bool exists = QFile::exists(glyphPath(code));
        if (isPrintable(code) && !exists)
            missing << QString::number(code);
        if (!isPrintable(code) && exists)
            extra << QString::number(code);
    }
    QVERIFY2(missing.isEmpty(), qPrintable("missing: " + missing.join(' ')));
    QVERIFY2(extra.isEmpty(), qPrintable("not printable: " + extra.join(' ')));
}

void FontTest::copyRules()
{
    QFETCH(int, code);
    const std::vector<GlyphIssue> issues = checkGlyphText(readGlyph(code));
    QVERIFY2(issues.empty(), qPrintable(describe(issues)));
}

void FontTest::placedAtItsOrigin()
{
    QFETCH(int, code);
    ProofLayout layout;
    layout.originX = 12.5;
    layout.originY = -30;
    const GlyphProof proof = unitScaleProof({{readGlyph(code)}}, layout);
    CellCheckOptions options;
    options.interpreter = glyphInterpreter();
    options.engravingZ = kEngravingZ;
    options.tolerance = 1e-9;  // strictly inside: the glyph is the only source of error here
    const Interpretation moves = interpretProgram(proof.program, options.interpreter);
    const std::vector<Violation> violations = checkMovesAgainstCells(moves, proof.cells, options);
    QVERIFY2(violations.empty(), qPrintable(describe(violations)));
}

void FontTest::sameAsTheGenerator()
{
    QFETCH(int, code);
    static const std::map<int, fontgen::GlyphProgram> generated = fontgen::engravingFontFiles();
    QVERIFY2(generated.count(code), "the generator has no drawing for it");
    QVERIFY2(generated.at(code).text == readGlyph(code), "Data differs from the generator: regenerate the font");
}

void FontTest::blanksCutNothing()
{
    QVERIFY(inkOf(' ').empty);
    QVERIFY(inkOf(0xA0).empty);
}

// The vertical plan: inner base line 1.25, x-height 4.25, capitals and
// ascenders 5.75, descenders down to 0, accents above.
void FontTest::lowestInk_data()
{
    QTest::addColumn<QString>("characters");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    addGroup("capitals stand on the base line", "ABCDEFGHIJKLMNOPQRSTUVWXYZÆŒÐØÞ", 1.25, 1.25);
    addGroup("figures stand on the base line", "0123456789", 1.25, 1.25);
    addGroup("small letters stand on the base line", "abcdefhiklmnorstuvwxzæœðøß", 1.25, 1.25);
    addGroup("accented letters too", "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽàáâãäåèéêëìíîïñòóôõöùúûüšž", 1.25, 1.25);
    addGroup("descenders reach the cell bottom", "gjpqyýÿþµ", 0, 0);
    addGroup("cedilla and comma hang below the line", "Çç,;‚„¸", 0.2, 0.8);
}

void FontTest::lowestInk()
{
    QFETCH(QString, characters);
    QFETCH(double, low);
    QFETCH(double, high);
    for (const char32_t c : characters.toStdU32String()) {
        const Bounds ink = inkOf(*cp1252::encode(c));
        QVERIFY2(ink.minY >= low - kPlanTolerance && ink.minY <= high + kPlanTolerance,
                 qPrintable(QString("%1 lowest ink at %2").arg(QString::fromStdU32String({c})).arg(ink.minY)));
    }
}

void FontTest::highestInk_data()
{
    QTest::addColumn<QString>("characters");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("high");
    addGroup("capitals and figures reach the capital height", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", 5.75, 5.75);
    addGroup("ascenders reach the capital height", "bdfhklþß", 5.75, 5.75);
    addGroup("x-height letters", "acemnorsuvwxzæœ", 4.25, 4.25);
    addGroup("accents over small letters stay under the capital height",
             "àáâãäåèéêëìíîïñòóôõöùúûüýÿšž", 4.75, 5.75);
    addGroup("accents over capitals fit in the cell", "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽ", 6.25, 7);
}

void FontTest::highestInk()
{
    QFETCH(QString, characters);
    QFETCH(double, low);
    QFETCH(double, high);
    for (const char32_t c : characters.toStdU32String()) {
        const Bounds ink = inkOf(*cp1252::encode(c));
        QVERIFY2(ink.maxY >= low - kPlanTolerance && ink.maxY <= high + kPlanTolerance,
                 qPrintable(QString("%1 highest ink at %2").arg(QString::fromStdU32String({c})).arg(ink.maxY)));
    }
}

// So that the spacing the operator sets is the gap between them.
void FontTest::wideLettersFillTheCell()
{
    for (const char32_t c : QString("ABDGHKMNOQTUVWXYZmw").toStdU32String()) {
        const Bounds ink = inkOf(*cp1252::encode(c));
        QVERIFY2(std::abs(ink.minX) <= kPlanTolerance && std::abs(ink.maxX - 4) <= kPlanTolerance,
                 qPrintable(QString("%1 spans %2 to %3").arg(QString::fromStdU32String({c})).arg(ink.minX).arg(ink.maxX)));
    }
}

QTEST_APPLESS_MAIN(FontTest)
#include "tst_font.moc"
