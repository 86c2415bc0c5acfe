#include "simulation/glyph_rules.h"

#include <QtTest>

#include <algorithm>

using namespace velmora::simulation;

namespace {

QByteArray crlf(const QStringList& list)
{
    return (list.join("\r\n") + "\r\n").toLatin1();
}

const QStringList kSound = {"$ CAR 65 A", "G91", "G0X0Y1.25", "G1Z-1.2", "G1X2Y4.5", "G3X-.5Y.5I0J.5",
                            "G0Z1.2", "G90"};

QStringList with(QStringList lines, int index, const QString& line)
{
    lines[index] = line;
    return lines;
}

std::vector<GlyphIssue> lint(const QByteArray& bytes)
{
    return checkGlyphText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

QString describe(const std::vector<GlyphIssue>& issues)
{
    QStringList parts;
    for (const GlyphIssue& i : issues)
        parts << QString("line %1: %2").arg(i.line).arg(QString::fromStdString(i.what));
    return parts.join("; ");
}

}  // namespace

class GlyphRulesTest : public QObject {
    Q_OBJECT
private slots:
    void soundFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("strokes and an arc") << crlf(kSound);
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("six-character numbers") << crlf(with(kSound, 4, "G1X-1.125Y6.999"));
        QTest::newRow("G word after the coordinates") << crlf(with(kSound, 4, "X2Y4.5G1"));
        QTest::newRow("G code with a leading zero") << crlf(with(kSound, 4, "G01X2Y4.5"));
    }

    void soundFiles()
    {
        QFETCH(QByteArray, bytes);
        const std::vector<GlyphIssue> issues = lint(bytes);
        QVERIFY2(issues.empty(), qPrintable(describe(issues)));
    }

    void faults_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("says");

        // Line ends.
        QTest::newRow("LF alone") << kSound.join("\n").toLatin1() + "\n" << 1 << "line feed without carriage return";
        QTest::newRow("last line unended") << crlf(kSound).chopped(2) << 8 << "last line without CR LF";

        // Words the copy drops or changes.
        QTest::newRow("feed word") << crlf(with(kSound, 4, "G1X2Y4.5F100")) << 5 << "'F' is dropped";
        QTest::newRow("seven-character number") << crlf(with(kSound, 4, "G1X-1.2345Y4.5")) << 5
                                                << "longer than the copy";
        QTest::newRow("two G words") << crlf(with(kSound, 4, "G91G1X2Y4.5")) << 5 << "more than one G word";
        QTest::newRow("blank inside a move") << crlf(with(kSound, 4, "G1 X2Y4.5")) << 5 << "blank inside";

        // Comments reach the machine as they stand.
        QTest::newRow("comma in a comment") << crlf(with(kSound, 0, "$ A, B")) << 1 << "splits it when sent";
        QTest::newRow("accented byte in a comment") << crlf(with(kSound, 0, QString::fromLatin1("$ \xE9"))) << 1
                                                    << "byte 0xE9";

        // Framing.
        QTest::newRow("first move is not G91") << crlf(with(kSound, 1, "G90")) << 2 << "first move line must be G91";
        QTest::newRow("ends without G90") << crlf(kSound.mid(0, 7)) << 7 << "last line must be G90";
    }

    void faults()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, says);
        const std::vector<GlyphIssue> issues = lint(bytes);
        const auto found = std::find_if(issues.begin(), issues.end(), [&](const GlyphIssue& i) {
            return QString::fromStdString(i.what).contains(says);
        });
        QVERIFY2(found != issues.end(), qPrintable("not found among: " + describe(issues)));
        QCOMPARE(found->line, line);
    }
};

QTEST_APPLESS_MAIN(GlyphRulesTest)
#include "tst_glyph_rules.moc"
