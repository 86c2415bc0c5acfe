// Programs written by hand or damaged, read by the preview: numbers too large
// for any machine, coordinates and arc centres beyond its reach, a feed that
// makes the time endless. Each gives the operator a whole French line saying
// where the reading stopped, and figures that stay finite.

#include "preview/preview_texts.h"
#include "preview/toolpath_preview.h"

#include <QtTest>

using namespace velmora::preview;

class HandWrittenProgramsTest : public QObject {
    Q_OBJECT
private slots:
    void readUpToTheFirstBadLine_data()
    {
        QTest::addColumn<QByteArrayList>("lines");
        QTest::addColumn<double>("feed");
        QTest::addColumn<QString>("stop");  // empty: read to the end
        QTest::addColumn<QString>("summary");

        const QByteArray nines300(300, '9');
        const QString start = QStringLiteral("Coupe : 0.0 mm  Rapide : 50.0 mm  Durée estimée : 1 s");
        const QString partial = QStringLiteral("  (programme lu en partie)");
        QTest::newRow("10 m is still in reach")
            << QByteArrayList{"G0X0Y0Z0", "G1X10000"} << 100.0 << QString()
            << "Coupe : 10000.0 mm  Rapide : 50.0 mm  Durée estimée : 1 h 40 min 01 s";
        QTest::newRow("just beyond 10 m")
            << QByteArrayList{"G0X0Y0Z0", "G1X10000", "G1Y-10000.01"} << 100.0
            << "Ligne 3 non interprétée : point à plus de 10 m de l'origine (G1Y-10000.01)"
            << "Coupe : 10000.0 mm  Rapide : 50.0 mm  Durée estimée : 1 h 40 min 01 s" + partial;
        QTest::newRow("a 10^20 mm cut")
            << QByteArrayList{"G0X0Y0Z0", "G1X100000000000000000000"} << 100.0
            << "Ligne 2 non interprétée : point à plus de 10 m de l'origine (G1X100000000000000000000)"
            << start + partial;
        QTest::newRow("incremental steps walking out of reach")
            << QByteArrayList{"G0X0Y0Z0", "G91", "G1X6000", "G1X" + nines300, "G1X" + nines300} << 100.0
            << "Ligne 4 non interprétée : point à plus de 10 m de l'origine (G1X" + QString(37, '9') + "…)"
            << "Coupe : 6000.0 mm  Rapide : 50.0 mm  Durée estimée : 1 h 00 min 01 s" + partial;
        QTest::newRow("a number beyond double precision")
            << QByteArrayList{"G0X0Y0Z0", "G1Z" + QByteArray(400, '9')} << 100.0
            << "Ligne 2 non interprétée : nombre mal écrit (G1Z" + QString(37, '9') + "…)" << start + partial;
        QTest::newRow("an arc around a centre 20 m away")
            << QByteArrayList{"G0X0Y0Z0", "G2X0Y0I20000J0"} << 100.0
            << "Ligne 2 non interprétée : point à plus de 10 m de l'origine (G2X0Y0I20000J0)" << start + partial;
        QTest::newRow("a feed that makes the time endless")
            << QByteArrayList{"G0X0Y0Z0", "G1X10"} << 1e-300 << QString()
            << "Coupe : 10.0 mm  Rapide : 50.0 mm  Durée estimée : plus de 9999 h";
    }

    void readUpToTheFirstBadLine()
    {
        QFETCH(QByteArrayList, lines);
        QFETCH(double, feed);
        QFETCH(QString, stop);
        QFETCH(QString, summary);
        const std::string program = (lines.join("\r\n") + "\r\n").toStdString();

        const ToolpathPreview preview = previewProgram(program);
        QCOMPARE(preview.stop ? stopText(*preview.stop, preview.stopLineText) : QString(), stop);
        QCOMPARE(summaryText(preview.lengths, machiningSeconds(preview.lengths, feed), !preview.complete()), summary);
    }
};

QTEST_APPLESS_MAIN(HandWrittenProgramsTest)
#include "tst_hand_written_programs.moc"
