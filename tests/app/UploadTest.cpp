#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ToolRun.h"
#include "WindowFixture.h"
#include "WindowTests.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace {

namespace fs = std::filesystem;

const QString kCreatedText = QStringLiteral("Created Map file GMAPSUPP.IMG in the MAPWREN Folder     ");

// A started window (second variant) with three maps loaded.
struct UploadWindow {
    StartedWindow started;
    frmMain& w = *started.window;
    TempDir maps;
    UploadWindow()
    {
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}});
        LoadFolder(w, maps.path());
    }
    std::string Folder() const { return started.tools.Folder(); }
    QString MapPath(int row) const
    {
        return QString::fromStdString(GetShortFileName(maps.folder() + std::string(1, char('a' + row - 1)) + ".img"));
    }
    QPushButton* SendButton() const { return w.cmdCreateFile->isVisible() ? w.cmdCreateFile : w.cmdUpload; }
};

QRadioButton* SpeedOption(frmMain& w, int speed)
{
    switch (speed) {
    case 9600: return w.opt9600;
    case 19200: return w.opt19200;
    case 38400: return w.opt38400;
    case 57600: return w.opt57600;
    default: return w.opt115200;
    }
}

void ChoosePort(frmMain& w, const QString& port)
{
    if (port == QLatin1String("Auto")) {
        Click(w.optAuto);
    } else if (port == QLatin1String("USB")) {
        Click(w.optUSB);
    } else {
        Click(w.optCOM);
        w.cboCOM->setCurrentText(port);
    }
}

// What a command line's text splits into past the program, for lines whose
// pieces hold no blank inside quotes.
QStringList ArgumentsOf(const QString& commandLine)
{
    QStringList words = commandLine.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.removeFirst();
    words.replaceInStrings(QStringLiteral("\""), QString());
    return words;
}

class UploadTest : public QObject {
    Q_OBJECT
private slots:
    void TheToolReceivesTheSettingsAndTheTickedMaps_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("mapset");   // empty: the box stays unticked
        QTest::addColumn<bool>("createFile");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("ticks");    // rows pressed, in order
        QTest::addColumn<QString>("expected"); // {map1} is the map ticked first
        QTest::newRow("first, COM3, 9600, two maps") << 1 << "" << false << 9600 << "COM3" << "31"
                                                     << "{tool} COM3 -s9600 {map1} {map2}";
        QTest::newRow("first, COM1, 115200") << 1 << "" << false << 115200 << "COM1" << "2"
                                             << "{tool} COM1 -s115200 {map1}";
        QTest::newRow("second, auto, 19200") << 2 << "" << false << 19200 << "Auto" << "1" << "{tool} -s19200 {map1}";
        QTest::newRow("second, auto, 115200") << 2 << "" << false << 115200 << "Auto" << "1" << "{tool} {map1}";
        QTest::newRow("second, COM2, 38400, two maps") << 2 << "" << false << 38400 << "COM2" << "12"
                                                       << "{tool} -tCOM2 -s38400 {map1} {map2}";
        QTest::newRow("second, USB, any speed") << 2 << "" << false << 9600 << "USB" << "3" << "{tool} -tUSB {map1}";
        QTest::newRow("second, auto, create file") << 2 << "" << true << 115200 << "Auto" << "1"
                                                   << "{tool} -l {map1}";
        QTest::newRow("second, COM1, 57600, mapset") << 2 << "Topo" << false << 57600 << "COM1" << "2"
                                                     << "{tool} -tCOM1 -s57600 {map1} -m \"Topo\"";
        QTest::newRow("first, mapset and create file left ticked") << 1 << "Topo" << true << 9600 << "COM4" << "2"
                                                                   << "{tool} COM4 -s9600 {map1}";
    }

    void TheToolReceivesTheSettingsAndTheTickedMaps()
    {
        QFETCH(int, variant);
        QFETCH(QString, mapset);
        QFETCH(bool, createFile);
        QFETCH(int, speed);
        QFETCH(QString, port);
        QFETCH(QString, ticks);
        QFETCH(QString, expected);
        UploadWindow u;
        frmMain& w = u.w;
        if (!mapset.isEmpty()) {
            Click(w.chkMapset);
            QTest::keyClicks(w.txtMapset, mapset);
        }
        if (createFile)
            Click(w.chkCreateFile);
        Click(SpeedOption(w, speed));
        if (variant == 1)
            w.mnuUseSendmap1->trigger();
        ChoosePort(w, port);
        QStringList maps;
        for (const QChar tick : ticks) {
            ClickCell(w, tick.digitValue(), 0);
            maps << u.MapPath(tick.digitValue());
        }
        const bool second = variant == 2;
        const QString tool = QString::fromStdString(u.Folder()) + (second ? "/sendmap20.exe" : "/sendmap.exe");
        expected.replace(QLatin1String("{tool}"), tool);
        for (int i = 0; i < maps.size(); ++i)
            expected.replace(QStringLiteral("{map%1}").arg(i + 1), maps[i]);

        MessageWatch messages;
        QVERIFY(u.SendButton()->isEnabled());
        Click(u.SendButton());
        QCOMPARE(QString::fromStdString(w.UploadCommand), expected);
        QCOMPARE(ReceivedArguments(u.Folder()), ArgumentsOf(expected));
        if (second && createFile) {
            const MessageWatch::Seen seen = messages.Only();
            QCOMPARE(seen.title, QStringLiteral("Map File Created"));
            QCOMPARE(seen.text, kCreatedText);
            QCOMPARE(seen.icon, QMessageBox::Information);
        } else {
            QVERIFY(messages.None());
        }
        // Nothing else changes, and the button can be pressed again.
        QCOMPARE(w.Maps().SelectedCount(), ticks.size());
        QVERIFY(u.SendButton()->isEnabled());
    }

    void AnUploadThatCannotStartSaysWhyAndStartsNothing_data()
    {
        QTest::addColumn<QString>("mapset");
        QTest::addColumn<bool>("missingOnly");
        QTest::addColumn<QString>("says");
        QTest::newRow("no map ticked") << "" << true << "No map is ticked";
        QTest::newRow("double quote in the mapset name") << "To\"po" << false << "double quote";
    }

    void AnUploadThatCannotStartSaysWhyAndStartsNothing()
    {
        QFETCH(QString, mapset);
        QFETCH(bool, missingOnly);
        QFETCH(QString, says);
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        if (missingOnly) {
            WriteBytes(maps.path() / "gone.mwl", "mapwren Auto\r\n" + maps.folder() + "gone.img\r\n");
            const QString list = QString::fromStdString(maps.folder() + "gone.mwl");
            w.AskForListToLoad = [list] { return list; };
            Click(w.cmdLoadList);
        } else {
            WriteMaps(maps.path(), {{"a.img", "Alpha", 300}});
            LoadFolder(w, maps.path());
        }
        if (!mapset.isEmpty()) {
            Click(w.chkMapset);
            QTest::keyClicks(w.txtMapset, mapset);
        }
        Click(w.cmdSelectAll);
        QVERIFY(w.cmdUpload->isEnabled());
        MessageWatch messages;
        Click(w.cmdUpload);
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.title, QStringLiteral("MAPWREN"));
        QVERIFY2(seen.text.contains(says), qPrintable(seen.text));
        QVERIFY(ReceivedArguments(started.tools.Folder(), 300).isEmpty());
    }

    // a.img goes before Select All (its short path is then empty), the others after it.
    void TickedMapsGoneSinceLoadingAreNamedAndNeverSent_data()
    {
        QTest::addColumn<QString>("gone");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("sent");
        QTest::newRow("two gone, Yes sends the rest") << "ac" << int(QMessageBox::Yes) << "b";
        QTest::newRow("two gone, No sends nothing") << "ac" << int(QMessageBox::No) << "";
        QTest::newRow("all gone: nothing to ask") << "abc" << int(QMessageBox::Yes) << "";
    }

    void TickedMapsGoneSinceLoadingAreNamedAndNeverSent()
    {
        QFETCH(QString, gone);
        QFETCH(int, answer);
        QFETCH(QString, sent);
        UploadWindow u;
        const auto path = [&](QChar map) { return u.maps.folder() + char(map.unicode()) + ".img"; };
        fs::remove(path('a'));
        Click(u.w.cmdSelectAll);
        for (const QChar map : gone.mid(1))
            fs::remove(path(map));
        MessageWatch messages(static_cast<QMessageBox::StandardButton>(answer));
        Click(u.w.cmdUpload);
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.title, QStringLiteral("MAPWREN"));
        QCOMPARE(seen.icon, gone.size() == 3 ? QMessageBox::Warning : QMessageBox::Question);
        for (const QChar map : gone)
            QVERIFY2(seen.text.contains(QString::fromStdString(path(map))), qPrintable(seen.text));
        QStringList expected;
        for (const QChar map : sent)
            expected << u.MapPath(map.unicode() - 'a' + 1);
        QCOMPARE(ReceivedArguments(u.Folder(), 300), expected);
    }

    // Every path here is as long as a file name may be, so few maps fill the
    // longest command line Windows starts: 32,767 characters with its NUL.
    void TooManyMapsForOneCommandLineAreRefusedWithTheCountThatFits()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        std::vector<MapSpec> specs;
        for (int i = 0; i < 160; ++i)
            specs.push_back({std::to_string(100 + i) + std::string(240, 'x') + ".img", "Long", 200});
        WriteMaps(maps.path(), specs);
        LoadFolder(w, maps.path());
        Click(w.cmdSelectAll);
        qsizetype length = QString::fromStdString(started.tools.Folder() + "/sendmap20.exe ").size() - 1;
        int fitting = 0;
        for (const std::string& map : w.Maps().SelectedFiles()) {
            length += 1 + QString::fromStdString(map).size();
            if (length >= 32767)
                break;
            ++fitting;
        }
        QVERIFY(fitting > 0 && fitting < 160);
        MessageWatch messages;
        Click(w.cmdUpload);
        const QString text = messages.Only().text;
        QVERIFY2(text.contains(QStringLiteral("160 ticked maps")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("first %1 ").arg(fitting)), qPrintable(text));
        QVERIFY(ReceivedArguments(started.tools.Folder(), 300).isEmpty());
    }

    // No "Map File Created" either when the tool did not start.
    void AToolRemovedAfterStartUpIsNamedInACriticalMessage_data()
    {
        QTest::addColumn<bool>("createFile");
        QTest::newRow("upload") << false;
        QTest::newRow("create file") << true;
    }

    void AToolRemovedAfterStartUpIsNamedInACriticalMessage()
    {
        QFETCH(bool, createFile);
        UploadWindow u;
        if (createFile)
            Click(u.w.chkCreateFile);
        ClickCell(u.w, 1, 0);
        const std::string tool = u.Folder() + "/sendmap20.exe";
        fs::remove(PathFromUtf8(tool));
        MessageWatch messages;
        Click(u.SendButton());
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QVERIFY2(seen.text.contains(QString::fromStdString(tool)), qPrintable(seen.text));
    }
};

} // namespace

std::unique_ptr<QObject> MakeUploadTest() { return std::make_unique<UploadTest>(); }

} // namespace mapwren::testing

#include "UploadTest.moc"
