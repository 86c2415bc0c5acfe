// The program's command line, run as the operator runs it: the real program
// in a process with no display at all, so that anything that would reach a
// window fails the test instead of waiting for one.

#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void withoutWindow_data();
    void withoutWindow();
};

namespace {

const QString kSeeHelp = QStringLiteral("La liste des options : velmora --help\n");

}  // namespace

void CommandLineTest::withoutWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("outputStart");  // standard output starts with it, or is empty
    QTest::addColumn<QString>("errors");       // standard error, whole

    const QString version = QStringLiteral("velmora " VELMORA_VERSION "\n");
    const QString usage = QStringLiteral("Usage : velmora [OPTION]...\n");
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    QTest::newRow("-v") << QStringList{"-v"} << 0 << version << QString();
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("-h ends the reading") << QStringList{"-h", "--aide"} << 0 << usage << QString();

    QTest::newRow("unknown option") << QStringList{"--aide"} << 1 << QString()
                                    << "velmora : option inconnue : --aide\n" + kSeeHelp;
    QTest::newRow("unknown before --version") << QStringList{"-x", "--version"} << 1 << QString()
                                              << "velmora : option inconnue : -x\n" + kSeeHelp;
    QTest::newRow("a file name") << QStringList{"velmora.rub"} << 1 << QString()
                                 << "velmora : argument inattendu : velmora.rub\n" + kSeeHelp;
    QTest::newRow("a value missing") << QStringList{"--construire", "--ligne1"} << 1 << QString()
                                     << "velmora : l'option --ligne1 demande une valeur\n" + kSeeHelp;
    QTest::newRow("a line to send") << QStringList{"--telecharger", "--ligne1", "A"} << 1 << QString()
                                    << "velmora : --ligne1 ne sert qu'avec --construire\n" + kSeeHelp;
    QTest::newRow("a port to build") << QStringList{"--port", "COM2", "--construire"} << 1 << QString()
                                     << "velmora : --port ne sert qu'avec --telecharger\n" + kSeeHelp;
    QTest::newRow("a resume on line 6")
        << QStringList{"--construire", "--reprise", "6:1"} << 1 << QString()
        << "velmora : --reprise attend LIGNE:CARACTERE, la ligne de 1 à 5 et le caractère compté à partir de 1 : 6:1\n"
               + kSeeHelp;
    QTest::newRow("build and send at once")
        << QStringList{"--construire", "--telecharger"} << 1 << QString()
        << "velmora : --construire et --telecharger ne se donnent pas ensemble\n" + kSeeHelp;
}

void CommandLineTest::withoutWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, outputStart);
    QFETCH(QString, errors);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELMORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(10000));

    const QString output = QString::fromUtf8(program.readAllStandardOutput());
    QCOMPARE(QString::fromUtf8(program.readAllStandardError()), errors);
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    if (outputStart.isEmpty())
        QCOMPARE(output, QString());
    else
        QVERIFY2(output.startsWith(outputStart), qPrintable(output));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
