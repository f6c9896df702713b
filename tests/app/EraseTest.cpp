#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ToolRun.h"
#include "WindowFixture.h"
#include "WindowTests.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace {

namespace fs = std::filesystem;

// Visible states of the question and its answers: label, Yes, No, then the
// selected states of Yes and No.
QString Question(frmMain& w)
{
    QString states;
    for (QWidget* control : {static_cast<QWidget*>(w.lblAreYouSure), static_cast<QWidget*>(w.optSureYes),
                             static_cast<QWidget*>(w.optSureNo)})
        states += control->isVisible() ? '1' : '0';
    states += QLatin1Char(' ');
    states += w.optSureYes->isChecked() ? '1' : '0';
    states += w.optSureNo->isChecked() ? '1' : '0';
    return states;
}

#ifndef _WIN32
// A stand-in terminal program first on the PATH: it records its arguments
// as the stand-in tool does, beside itself.
class FakeTerminal {
public:
    FakeTerminal() : oldPath_(qgetenv("PATH"))
    {
        fs::copy_file(MAPWREN_STANDIN, dir_.path() / "x-terminal-emulator");
        qputenv("PATH", QByteArray::fromStdString(dir_.path().string()) + ':' + oldPath_);
    }
    ~FakeTerminal() { qputenv("PATH", oldPath_); }
    std::string Folder() const { return dir_.path().string(); }

private:
    TempDir dir_;
    QByteArray oldPath_;
};
#endif

class EraseTest : public QObject {
    Q_OBJECT
private slots:
    void YesErasesThroughTheToolAndClosesTheQuestion_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QStringList>("received");
        QTest::newRow("second, automatic") << 2 << "Auto" << QStringList{"-e"};
        QTest::newRow("second, COM1") << 2 << "COM1" << QStringList{"-tCOM1", "-e"};
        QTest::newRow("second, USB") << 2 << "USB" << QStringList{"-tUSB", "-e"};
        QTest::newRow("first, COM4") << 1 << "COM4" << QStringList{"COM4", "-e"};
    }

    void YesErasesThroughTheToolAndClosesTheQuestion()
    {
        QFETCH(int, variant);
        QFETCH(QString, port);
        QFETCH(QStringList, received);
        StartedWindow started;
        frmMain& w = *started.window;
        if (variant == 1)
            w.mnuUseSendmap1->trigger();
        if (port == QLatin1String("USB")) {
            Click(w.optUSB);
        } else if (port.startsWith(QLatin1String("COM"))) {
            Click(w.optCOM);
            w.cboCOM->setCurrentText(port);
        }
        QCOMPARE(Question(w), QStringLiteral("000 00"));
        Click(w.cmdEraseGPS);
        QCOMPARE(Question(w), QStringLiteral("111 00"));
        Click(w.cmdEraseGPS);
        QCOMPARE(Question(w), QStringLiteral("111 00"));
        QVERIFY(ReceivedArguments(started.tools.Folder(), 200).isEmpty());
        MessageWatch messages;
        Click(w.optSureYes);
        QCOMPARE(ReceivedArguments(started.tools.Folder()), received);
        QCOMPARE(Question(w), QStringLiteral("000 00"));
        QVERIFY(messages.None());
        QVERIFY(w.cmdEraseGPS->isEnabled());
    }

    void NoClosesTheQuestionAndTheNextOneStartsClean()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        Click(w.cmdEraseGPS);
        Click(w.optSureNo);
        QCOMPARE(Question(w), QStringLiteral("000 00"));
        Click(w.cmdEraseGPS);
        QCOMPARE(Question(w), QStringLiteral("111 00"));
        QVERIFY(ReceivedArguments(started.tools.Folder(), 300).isEmpty());
    }

    void AnEraseWhoseToolIsGoneIsNamedInACriticalMessage()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        const std::string tool = started.tools.Folder() + "/sendmap20.exe";
        fs::remove(PathFromUtf8(tool));
        Click(w.cmdEraseGPS);
        MessageWatch messages;
        Click(w.optSureYes);
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY2(seen.text.contains(QString::fromStdString(tool)), qPrintable(seen.text));
        QCOMPARE(Question(w), QStringLiteral("000 00"));
    }

#ifndef _WIN32
    void TheTestScriptIsWrittenOnceAndRunInATerminal()
    {
        FakeTerminal terminal;
        StartedWindow started;
        frmMain& w = *started.window;
        const std::string folder = started.tools.Folder();
        const fs::path script = PathFromUtf8(folder + "/Test Connection.sh");
        const QStringList run{"-e", QString::fromStdString(script.string())};

        MessageWatch messages;
        w.mnuID->trigger();
        QCOMPARE(ReceivedArguments(terminal.Folder()), run);
        const std::string lines = ReadBytes(script);
        QCOMPARE(lines.substr(0, lines.find('\n', 10) + 1),
                 "#!/bin/sh\n'" + folder + "/sendmap20.exe' - i\n");
        QVERIFY((fs::status(script).permissions() & fs::perms::owner_exec) != fs::perms::none);

        // A script edited by hand runs as it is.
        WriteBytes(script, "#!/bin/sh\necho edited\n");
        ForgetArguments(terminal.Folder());
        w.mnuID->trigger();
        QCOMPARE(ReceivedArguments(terminal.Folder()), run);
        QCOMPARE(ReadBytes(script), std::string("#!/bin/sh\necho edited\n"));

        // Deleted, it is written afresh.
        fs::remove(script);
        w.mnuID->trigger();
        QCOMPARE(ReadBytes(script), lines);
        QVERIFY(messages.None());
        QVERIFY(ReceivedArguments(folder, 100).isEmpty());
    }

    void AScriptThatCannotBeWrittenIsNamedAndNothingRuns()
    {
        FakeTerminal terminal;
        StartedWindow started;
        frmMain& w = *started.window;
        const std::string folder = started.tools.Folder();
        ::chmod(folder.c_str(), 0555);
        MessageWatch messages;
        const bool asUser = AsOrdinaryUser([&] { w.mnuID->trigger(); });
        ::chmod(folder.c_str(), 0755);
        if (!asUser)
            QSKIP("cannot take an ordinary user's rights");
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY2(seen.text.contains(QString::fromStdString(folder + "/Test Connection.sh")), qPrintable(seen.text));
        QVERIFY(ReceivedArguments(terminal.Folder(), 300).isEmpty());
    }

    // A command line cannot spell such a folder: `my "x"` would start the tool in `my x`.
    void AProgramFolderHoldingADoubleQuoteStartsNothing_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("upload") << "upload";
        QTest::newRow("erase") << "erase";
        QTest::newRow("connection test") << "test";
    }

    void AProgramFolderHoldingADoubleQuoteStartsNothing()
    {
        QFETCH(QString, command);
        FakeTerminal terminal;
        TempDir dir;
        const std::string folder = dir.folder() + "my \"x\"", decoy = dir.folder() + "my x";
        for (const std::string& tools : {folder, decoy}) {
            fs::create_directory(tools);
            fs::copy_file(MAPWREN_STANDIN, tools + "/sendmap20.exe");
        }
        const std::unique_ptr<frmMain> w = StartWindow(folder);
        WriteMaps(dir.path() / "maps", {{"a.img", "Alpha", 300}});
        LoadFolder(*w, dir.path() / "maps");
        Click(w->cmdSelectAll);
        MessageWatch messages;
        if (command == QLatin1String("upload")) {
            Click(w->cmdUpload);
        } else if (command == QLatin1String("erase")) {
            Click(w->cmdEraseGPS);
            Click(w->optSureYes);
            QCOMPARE(Question(*w), QStringLiteral("000 00"));
        } else {
            w->mnuID->trigger();
        }
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.title, QStringLiteral("MAPWREN"));
        QVERIFY2(seen.text.startsWith(QString::fromStdString("The program's folder " + folder + " holds a double quote")),
                 qPrintable(seen.text));
        QVERIFY(ReceivedArguments(decoy, 300).isEmpty());
        QVERIFY(ReceivedArguments(terminal.Folder(), 0).isEmpty());
    }
#endif
};

} // namespace

std::unique_ptr<QObject> MakeEraseTest() { return std::make_unique<EraseTest>(); }

} // namespace mapwren::testing

#include "EraseTest.moc"
