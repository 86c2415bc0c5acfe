#include "fontgen/glyph_program.h"

#include <QtTest>

using namespace velmora::fontgen;

Q_DECLARE_METATYPE(velmora::fontgen::Glyph)

namespace {

QByteArray crlf(const QStringList& list)
{
    return (list.join("\r\n") + "\r\n").toLatin1();
}

}  // namespace

class GlyphProgramTest : public QObject {
    Q_OBJECT
private slots:
    void text_data()
    {
        QTest::addColumn<Glyph>("glyph");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("blank is a comment alone") << Glyph{} << crlf({"$ T"});
        QTest::newRow("stroke from the origin needs no travel")
            << Glyph{P(0, 0).L(1, 0)} << crlf({"$ T", "G91", "G1Z-1.2", "G1X1Y0", "G0Z1.2", "G90"});
        QTest::newRow("nearest stroke first, lifted between")
            << Glyph{P(3, 3).L(4, 3), P(1, 0).L(1, 1)}
            << crlf({"$ T", "G91", "G0X1Y0", "G1Z-1.2", "G1X0Y1", "G0Z1.2", "G0X2Y2", "G1Z-1.2", "G1X1Y0", "G0Z1.2",
                     "G90"});
        QTest::newRow("stroke cut from its nearer end")
            << Glyph{P(2, 2).L(0, 1)} << crlf({"$ T", "G91", "G0X0Y1", "G1Z-1.2", "G1X2Y1", "G0Z1.2", "G90"});
        QTest::newRow("stroke starting where the last ended goes on uncut")
            << Glyph{P(0, 1).L(1, 1), P(1, 1).L(1, 2)}
            << crlf({"$ T", "G91", "G0X0Y1", "G1Z-1.2", "G1X1Y0", "G1X0Y1", "G0Z1.2", "G90"});
        QTest::newRow("full circle in two half turns")
            << Glyph{circle(2, 2, 1)}
            << crlf({"$ T", "G91", "G0X2Y3", "G1Z-1.2", "G2X0Y-2I0J-1", "G2X0Y2I0J1", "G0Z1.2", "G90"});
        QTest::newRow("arc cut backwards turns the other way")
            << Glyph{P(3, 1).A(2, 1, 180)} << crlf({"$ T", "G91", "G0X1Y1", "G1Z-1.2", "G2X2Y0I1J0", "G0Z1.2", "G90"});
        QTest::newRow("coordinates to the thousandth")
            << Glyph{P(0.1234, 0).L(1.0006, 0.25)}
            << crlf({"$ T", "G91", "G0X.123Y0", "G1Z-1.2", "G1X.878Y.25", "G0Z1.2", "G90"});
        QTest::newRow("arc end set on its circle")
            << Glyph{P(1, 0).A(0, 0, 45)}  // the true end (.7071, .7071) rounds off the circle
            << crlf({"$ T", "G91", "G0X1Y0", "G1Z-1.2", "G3X-.293Y.707I-1J0", "G0Z1.2", "G90"});
    }

    void text()
    {
        QFETCH(Glyph, glyph);
        QFETCH(QByteArray, expected);
        const GlyphProgram program = writeGlyphProgram(glyph, "T");
        QCOMPARE(QByteArray::fromStdString(program.text), expected);
        QVERIFY(program.worstArcMismatch <= 0.0005);
    }
};

QTEST_APPLESS_MAIN(GlyphProgramTest)
#include "tst_glyph_program.moc"
