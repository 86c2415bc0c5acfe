// The real program run from the command line with no display at all, so that
// anything reaching for a window fails: its wrong uses, then each command
// against the same action in the window, from the same velmora.txt: the same
// program (date and time lines aside) or the window's message on standard
// error, with the exit code of its kind and the previous program untouched.

#include "app/construction_action.h"
#include "app/download_action.h"
#include "app/configuration_table.h"
#include "app/form_configuration.h"
#include "app/program_places.h"

#include "panel/main_window.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/recording_pause.h"
#include "tests/support/scripted_messages.h"
#include "tests/support/working_folder.h"

#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest>

using namespace velmora;

namespace {

using Settings = QList<QPair<int, QByteArray>>;  // velmora.txt line (1..37) and its Windows-1252 bytes

QByteArray settingsFile(const Settings& changes)
{
    ConfigurationValues values = firstStartValues();
    for (const auto& [line, bytes] : changes)
        values[static_cast<std::size_t>(line - 1)] = bytes.toStdString();
    const std::string file = configurationFileBytes(values);
    return QByteArray(file.data(), static_cast<qsizetype>(file.size()));
}

using namespace velmora::testing;

// The program without its date and time lines, which differ between two runs.
QByteArray withoutStamp(const QByteArray& program)
{
    QList<QByteArray> lines = program.split('\n');
    lines.removeIf([](const QByteArray& line) { return line.startsWith("$ LE ") || line.startsWith("$ A "); });
    return lines.join('\n');
}

QString programFolder() { return QFileInfo(QStringLiteral(VELMORA_PROGRAM)).absolutePath(); }

// The real program, started with no display and no window system named.
void runProgram(QProcess& program, const QStringList& arguments, const QString& folder = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    program.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        program.setWorkingDirectory(folder);
    program.start(QStringLiteral(VELMORA_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(20000));
}

}  // namespace

class CommandRunTest : public QObject {
    Q_OBJECT
private slots:
    void withoutWindow_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outputStart");  // standard output starts with it, or is empty
        QTest::addColumn<QString>("wrongUse");     // told on standard error, exit code 1; none for 0
        const QString usage = QStringLiteral("Usage : velmora [OPTION]...\n");
        QTest::newRow("--version") << QStringList{"--version"} << QStringLiteral("velmora " VELMORA_VERSION "\n") << "";
        QTest::newRow("-h ends the reading") << QStringList{"-h", "--aide"} << usage << "";
        QTest::newRow("unknown before --version") << QStringList{"-x", "--version"} << "" << "option inconnue : -x";
        QTest::newRow("a file name") << QStringList{"velmora.rub"} << "" << "argument inattendu : velmora.rub";
        QTest::newRow("a value missing") << QStringList{"--construire", "--ligne1"} << ""
                                         << "l'option --ligne1 demande une valeur";
        QTest::newRow("a line to send") << QStringList{"--telecharger", "--ligne1", "A"} << ""
                                        << "--ligne1 ne sert qu'avec --construire";
        QTest::newRow("a port to build") << QStringList{"--port", "COM2", "--construire"} << ""
                                         << "--port ne sert qu'avec --telecharger";
        QTest::newRow("a resume on line 6")
            << QStringList{"--construire", "--reprise", "6:1"} << ""
            << "--reprise attend LIGNE:CARACTERE, la ligne de 1 à 5 et le caractère compté à partir de 1 : 6:1";
        QTest::newRow("build and send at once") << QStringList{"--construire", "--telecharger"} << ""
                                                << "--construire et --telecharger ne se donnent pas ensemble";
    }

    void withoutWindow()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, outputStart);
        QFETCH(QString, wrongUse);
        QProcess program;
        runProgram(program, arguments);
        const QString output = QString::fromUtf8(program.readAllStandardOutput());
        const QString told = "velmora : " + wrongUse + "\nLa liste des options : velmora --help\n";
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), wrongUse.isEmpty() ? QString() : told);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), wrongUse.isEmpty() ? 0 : 1);
        QVERIFY2(outputStart.isEmpty() ? output.isEmpty() : output.startsWith(outputStart), qPrintable(output));
    }

    void buildAsTheWindowDoes_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QStringList>("lineOptions");  // --ligneN TEXTE, as the shell passes them
        QTest::addColumn<QString>("resume");           // --reprise LIGNE:CARACTERE, or none
        QTest::addColumn<bool>("programIsFolder");     // velmora.rub cannot be replaced
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("failure");  // after "velmora : Echec de la construction : "; %1 the work folder

        const Settings threeLines{{33, "VELMORA"}, {34, "  N\xB0 007 "}, {35, "atelier"}};
        const QString refused = QStringLiteral("Modifier les paramètres (%1)");
        // Right-justified, placed freely from the lower right corner; accents
        // from velmora.txt and from the command line, which empties a line too.
        QTest::newRow("right, free, accents")
            << Settings{{20, "False"}, {21, "True"}, {22, "False"}, {25, "True"}, {29, "False"}, {32, "True"},
                        {33, "\xC9t\xE9 \xC7'\x9C \x80"}, {34, "  N\xB0 007 "}, {35, "atelier"},
                        {37, "\xC0\xC9\xCE\xD4\xD9 \xE0\xE9\xEE\xF4\xF9"}}
            << QStringList{"--ligne3", "", "--ligne2", "Noël à Zoé", "--ligne4", "Œuvre n° 3"} << QString() << false
            << 0 << QString();
        QTest::newRow("resume inside a line")
            << threeLines << QStringList{"--ligne2", "N° 008"} << "2:4" << false << 0 << QString();
        QTest::newRow("no text") << Settings() << QStringList() << QString() << false << 2
                                 << refused.arg("aucun texte à graver : les cinq lignes sont vides");
        QTest::newRow("a character with no glyph")
            << threeLines << QStringList{"--ligne3", "pi = π"} << QString() << false << 3
            << "La gravure du caractère  (π)  est impossible (U+03C0)";
        QTest::newRow("resume past the line's end") << threeLines << QStringList() << "3:40" << false << 1
                                                    << refused.arg("la ligne 3 n'a pas de caractère 40");
        QTest::newRow("velmora.rub cannot be replaced") << threeLines << QStringList() << QString() << true << 4
            << "Impossible de remplacer le fichier %1/velmora.rub : c'est un dossier";
    }

    // A failure is told on standard error, whole, with its exit code and the
    // previous program kept; a program is the one the window builds.
    void buildAsTheWindowDoes()
    {
        QFETCH(Settings, settings);
        QFETCH(QStringList, lineOptions);
        QFETCH(QString, resume);
        QFETCH(bool, programIsFolder);
        QFETCH(int, exitCode);
        QFETCH(QString, failure);

        QTemporaryDir commandFolder;
        QTemporaryDir windowFolder;
        QTemporaryDir elsewhere;
        for (const QTemporaryDir* folder : {&commandFolder, &windowFolder}) {
            QVERIFY(writeBytes(folder->filePath("velmora.txt"), settingsFile(settings)));
            if (programIsFolder)
                QVERIFY(QDir(folder->path()).mkdir("velmora.rub"));
            else
                QVERIFY(writeBytes(folder->filePath("velmora.rub"), kPreviousProgram));
        }

        // The program, started elsewhere.
        QProcess program;
        runProgram(program,
                   QStringList{"--construire", "--dossier", commandFolder.path()} + lineOptions
                       + (resume.isEmpty() ? QStringList() : QStringList{"--reprise", resume}),
                   elsewhere.path());
        const QString told = "velmora : Echec de la construction : " + failure.replace("%1", commandFolder.path());
        QCOMPARE(QString::fromUtf8(program.readAllStandardError()), failure.isEmpty() ? QString() : told + "\n");
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QByteArray built = readBytes(commandFolder.filePath("velmora.rub"));
        if (exitCode != 0) {
            QVERIFY(programIsFolder || built == kPreviousProgram);
            return;
        }

        // The window, started on the same file, the same lines typed, "Construire".
        MainWindow window;
        ScriptedMessages messages;
        RecordingPause pause;
        const std::filesystem::path windowPath = windowFolder.path().toStdString();
        loadConfigurationInto(window.model(), windowPath);
        window.model().updateExtents();
        for (qsizetype option = 0; option + 1 < lineOptions.size(); option += 2)
            window.model().setLineText(lineOptions[option].back().digitValue(),
                                       lineOptions[option + 1].toStdU32String());
        ConstructionAction action(window, messages, pause, programPlaces(windowPath, programFolder().toStdString()));
        if (resume.isEmpty())
            action.build();
        else
            action.buildResume({resume.section(':', 0, 0).toInt(), resume.section(':', 1).toInt()});

        QCOMPARE(messages.calls().size(), std::size_t(0));
        QVERIFY(built != kPreviousProgram);
        QCOMPARE(withoutStamp(built), withoutStamp(readBytes(windowFolder.filePath("velmora.rub"))));
    }

    // "velmora --telecharger" and "Télécharger" clicked in the window, each to a
    // pseudo-terminal playing the machine, from the same velmora.txt and
    // velmora.rub: the same bytes on the line, or nothing and the failure told.
    void sendAsTheWindowDoes_data()
    {
        QTest::addColumn<Settings>("settings");
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("errors");

        const QByteArray program = "%12\r\n$ CAR 65 A, la lettre\r\nG0X1.25Y-3\r\nM2\r\n";
        QTest::newRow("first-start settings") << Settings() << program << 0 << QString();
        QTest::newRow("1.5 stop bits")
            << Settings{{5, "1.5"}} << program << 5
            << "velmora : Téléchargement : Bits stop 1.5 impossibles sur ce poste : choisir 1 ou 2\n";
    }

    void sendAsTheWindowDoes()
    {
        QFETCH(Settings, settings);
        QFETCH(QByteArray, program);
        QFETCH(int, exitCode);
        QFETCH(QString, errors);

        QTemporaryDir folder;
        QVERIFY(writeBytes(folder.filePath("velmora.txt"), settingsFile(settings)));
        QVERIFY(writeBytes(folder.filePath("velmora.rub"), program));

        testing::PseudoTerminal commandMachine;
        QVERIFY(commandMachine.isOpen());
        QProcess command;
        runProgram(command, {"--telecharger", "--dossier", folder.path(), "--port",
                             QString::fromStdString(commandMachine.devicePath())});
        const std::string commandBytes = commandMachine.readUntilQuiet();
        // Standard error is a pipe here: no percentage, only what went wrong.
        QCOMPARE(QString::fromUtf8(command.readAllStandardError()), errors);
        QCOMPARE(command.exitCode(), exitCode);

        testing::PseudoTerminal windowMachine;
        const QString startFolder = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder.path()));
        MainWindow window;
        ScriptedMessages messages;
        RecordingPause pause;
        loadConfigurationInto(window.model(), ".");
        DownloadAction action(window, messages, pause, [&](std::int16_t) { return windowMachine.devicePath(); });
        action.startDownload();
        QDir::setCurrent(startFolder);
        const std::string windowBytes = windowMachine.readUntilQuiet();

        QCOMPARE(QByteArray::fromStdString(commandBytes), QByteArray::fromStdString(windowBytes));
        QCOMPARE(commandBytes.ends_with("\x13\n"), exitCode == 0);
        QCOMPARE(messages.calls().size(), std::size_t(exitCode == 0 ? 1 : 2));  // the question, then any failure
    }
};

QTEST_MAIN(CommandRunTest)
#include "tst_command_run.moc"
