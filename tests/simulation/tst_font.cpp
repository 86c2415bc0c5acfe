// The glyph files in Data, as the construction will read them: one for every
// printable character, each the generator's drawing and holding nothing the
// copy into a program would change, all of them on one vertical plan. (That
// every glyph cuts only inside its own cell is proved in the font program test.)

#include "common/codepage.h"
#include "fontgen/font.h"
#include "simulation/glyph_rules.h"
#include "simulation/glyph_proof.h"
#include "simulation/program_measures.h"

#include <QFile>
#include <QtTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::simulation;

namespace {

// At the drawn size one unit is one millimetre, so the glyph's own rule on
// arcs (ends on the circle within 0.001) is the interpreter's tolerance.
constexpr double kGlyphArcTolerance = 0.001;
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
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
}

// Ink of one glyph set at the origin.
Bounds inkOf(int code)
{
    const GlyphProof proof = unitScaleProof({{readGlyph(code)}});
    return cuttingBounds(interpretProgram(proof.program, {.arcTolerance = kGlyphArcTolerance}).moves);
}

QString describe(const std::vector<GlyphIssue>& issues)
{
    QStringList parts;
    for (const GlyphIssue& i : issues)
        parts << QString("line %1: %2").arg(i.line).arg(QString::fromStdString(i.what));
    return parts.join("; ");
}

// A sound glyph file with one line changed.
QByteArray soundWith(int index, const QString& line)
{
    QStringList lines = {"$ CAR 65 A", "G91", "G0X0Y1.25", "G1Z-1.2", "G1X2Y4.5", "G3X-.5Y.5I0J.5", "G0Z1.2", "G90"};
    lines[index] = line;
    return (lines.join("\r\n") + "\r\n").toLatin1();
}

// What a row of the vertical plan measures on each of its characters.
enum Edge { LowestInk, HighestInk, Sides, NoInk };

}  // namespace

class FontTest : public QObject {
    Q_OBJECT
private slots:
    void exactlyThePrintableCharactersHaveGlyphs()
    {
        QStringList wrong;
        for (int code = 0; code < 256; ++code)
            if (isPrintable(code) != QFile::exists(glyphPath(code)))
                wrong << QString::number(code);
        QVERIFY2(wrong.isEmpty(), qPrintable("missing, or not printable: " + wrong.join(' ')));
    }

    void eachGlyph_data()
    {
        QTest::addColumn<int>("code");
        for (int code = 32; code < 256; ++code)
            if (isPrintable(code))
                QTest::addRow("Ascii%d", code) << code;
    }

    // The file is the generator's drawing, and holds nothing the copy into a
    // program would drop or change.
    void eachGlyph()
    {
        QFETCH(int, code);
        static const std::map<int, fontgen::GlyphProgram> generated = fontgen::engravingFontFiles();
        QVERIFY2(generated.count(code), "the generator has no drawing for it");
        QVERIFY2(generated.at(code).text == readGlyph(code), "Data differs from the generator: regenerate the font");
        const std::vector<GlyphIssue> issues = checkGlyphText(readGlyph(code));
        QVERIFY2(issues.empty(), qPrintable(describe(issues)));
    }

    // The vertical plan: inner base line 1.25, x-height 4.25, capitals and
    // ascenders 5.75, descenders down to 0, accents above; wide letters fill
    // the cell, so that the spacing the operator sets is the gap between them.
    void verticalPlan_data()
    {
        QTest::addColumn<QString>("characters");
        QTest::addColumn<int>("edge");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        const auto add = [](const char* name, const QString& characters, Edge edge, double low, double high) {
            QTest::newRow(name) << characters << int(edge) << low << high;
        };
        add("letters and figures stand on the base line",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZÆŒÐØÞ0123456789abcdefhiklmnorstuvwxzæœðøß"
            "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽàáâãäåèéêëìíîïñòóôõöùúûüšž",
            LowestInk, 1.25, 1.25);
        add("descenders reach the cell bottom", "gjpqyýÿþµ", LowestInk, 0, 0);
        add("cedilla and comma hang below the line", "Çç,;‚„¸", LowestInk, 0.2, 0.8);
        add("capitals, figures and ascenders reach the capital height",
            "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789bdfhklþß", HighestInk, 5.75, 5.75);
        add("x-height letters", "acemnorsuvwxzæœ", HighestInk, 4.25, 4.25);
        add("accents over small letters stay under the capital height", "àáâãäåèéêëìíîïñòóôõöùúûüýÿšž", HighestInk,
            4.75, 5.75);
        add("accents over capitals fit in the cell", "ÀÁÂÃÄÅÈÉÊËÌÍÎÏÑÒÓÔÕÖÙÚÛÜÝŸŠŽ", HighestInk, 6.25, 7);
        add("wide letters fill the cell", "ABDGHKMNOQTUVWXYZmw", Sides, 0, 4);
        add("blanks cut nothing", QString(" ") + QChar(0xA0), NoInk, 0, 0);
    }

    void verticalPlan()
    {
        QFETCH(QString, characters);
        QFETCH(int, edge);
        QFETCH(double, low);
        QFETCH(double, high);
        const auto within = [](double v, double from, double to) {
            return v >= from - kPlanTolerance && v <= to + kPlanTolerance;
        };
        for (const char32_t c : characters.toStdU32String()) {
            const Bounds ink = inkOf(*cp1252::encode(c));
            bool ok = ink.empty == (edge == NoInk);
            if (edge == LowestInk)
                ok = ok && within(ink.minY, low, high);
            else if (edge == HighestInk)
                ok = ok && within(ink.maxY, low, high);
            else if (edge == Sides)
                ok = ok && within(ink.minX, low, low) && within(ink.maxX, high, high);
            QVERIFY2(ok, qPrintable(QString("%1: ink x %2 to %3, y %4 to %5").arg(QString::fromStdU32String({c}))
                                        .arg(ink.minX).arg(ink.maxX).arg(ink.minY).arg(ink.maxY)));
        }
    }

    // What the glyph check above looks for, each found on the line that holds it.
    void checkerFindsFaults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");
        // Words the copy drops or changes. (The copy reads any line end, and a
        // glyph left in G91 shows in the font program test.)
        QTest::newRow("feed word") << soundWith(4, "G1X2Y4.5F100") << 5 << "'F' is dropped";
        QTest::newRow("seven-character number") << soundWith(4, "G1X-1.2345Y4.5") << 5 << "longer than the copy";
        QTest::newRow("two G words") << soundWith(4, "G91G1X2Y4.5") << 5 << "more than one G word";
        QTest::newRow("blank inside a move") << soundWith(4, "G1 X2Y4.5") << 5 << "blank inside";
        // Comments reach the machine as they stand.
        QTest::newRow("comma in a comment") << soundWith(0, "$ A, B") << 1 << "splits it when sent";
        QTest::newRow("accented byte in a comment") << soundWith(0, QString::fromLatin1("$ \xE9")) << 1
                                                    << "byte 0xE9";
    }

    void checkerFindsFaults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, says);
        const std::vector<GlyphIssue> issues = checkGlyphText(bytes.toStdString());
        const auto found = std::find_if(issues.begin(), issues.end(), [&](const GlyphIssue& i) {
            return QString::fromStdString(i.what).contains(says);
        });
        QVERIFY2(found != issues.end(), qPrintable("not found among: " + describe(issues)));
        QCOMPARE(found->line, line);
    }
};

QTEST_APPLESS_MAIN(FontTest)
#include "tst_font.moc"
