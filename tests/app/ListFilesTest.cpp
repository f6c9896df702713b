#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "ToolRun.h"
#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/MapListModel.h"
#include "common/Paths.h"

namespace mapwren::testing {

namespace {

namespace fs = std::filesystem;

QString Text(const fs::path& path) { return QString::fromStdString(Utf8FromPath(path)); }

void LoadList(frmMain& w, const fs::path& list)
{
    const QString answer = Text(list);
    w.AskForListToLoad = [answer] { return answer; };
    Click(w.cmdLoadList);
}

void SaveList(frmMain& w, const fs::path& list)
{
    const QString answer = Text(list);
    w.AskForListToSave = [answer] { return answer; };
    Click(w.cmdSaveList);
}

// The port option selected: 'A', 'C', 'U' or '-' for none.
char PortShown(frmMain& w)
{
    return w.optAuto->isChecked() ? 'A' : w.optCOM->isChecked() ? 'C' : w.optUSB->isChecked() ? 'U' : '-';
}

class ListFilesTest : public QObject {
    Q_OBJECT
private slots:
    void SaveClearAndLoadBringBackTheMapsUntickedWithTheirSettings()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}, {"c.img", "Gamma", 500}});
        LoadFolder(w, maps.path());
        Click(w.optCOM);
        w.cboCOM->setCurrentText(QStringLiteral("COM3"));
        Click(w.chkMapset);
        QTest::keyClicks(w.txtMapset, QStringLiteral("Alps"));
        ClickCell(w, 3, 0);
        ClickCell(w, 1, 0);
        const fs::path list = maps.path() / "alps";   // no extension is added
        SaveList(w, list);
        QCOMPARE(ReadBytes(list), "mapwren COM3 mapset:1 Alps\r\n" + maps.folder() + "a.img\r\n" + maps.folder() +
                                      "c.img\r\n");

        Click(w.cmdClearGrid);
        Click(w.optAuto);
        Click(w.chkMapset);
        w.txtMapset->clear();
        LoadList(w, list);
        QCOMPARE(ColumnTexts(w, 1), (QStringList{"a.img", "c.img"}));
        QCOMPARE(TickPictures(w), QStringLiteral(".."));
        QCOMPARE(PortShown(w), 'C');
        QCOMPARE(w.cboCOM->currentText(), QStringLiteral("COM3"));
        QVERIFY(w.cboCOM->isEnabled());
        QCOMPARE(w.MapsetValue(), 1);
        QCOMPARE(w.txtMapset->text(), QStringLiteral("Alps"));
        QVERIFY(w.txtMapset->isEnabled());
        QVERIFY(w.cmdSelectAll->isEnabled() && w.cmdClearGrid->isEnabled());
        QVERIFY(!w.cmdUpload->isEnabled() && !w.cmdSaveList->isEnabled());

        // A cancelled Load, also right after a Save, changes nothing.
        for (const QString& cancelled : {QString(), QStringLiteral("*.mwl"), QStringLiteral("*.txt")}) {
            w.AskForListToLoad = [cancelled] { return cancelled; };
            MessageWatch messages;
            Click(w.cmdLoadList);
            QVERIFY(messages.None());
            QCOMPARE(w.GridModel().rowCount(), 2);
        }
        w.AskForListToSave = [] { return QString(); };
        Click(w.cmdSelectAll);
        Click(w.cmdSaveList);
        QCOMPARE(ReadBytes(list).substr(0, 12), std::string("mapwren COM3"));
        w.AskForListToLoad = [] { return QString(); };
        Click(w.cmdLoadList);
        QCOMPARE(w.GridModel().rowCount(), 2);
    }

    void TheHeadLineCarriesPortAndMapset_data()
    {
        QTest::addColumn<QString>("port");      // "none": the first variant leaves no port chosen
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("head");
        QTest::newRow("no port, name unticked") << "none" << false << "Alps" << "mapwren  mapset:0 Alps";
        QTest::newRow("USB, ticked, empty name") << "USB" << true << "" << "mapwren USB";
        QTest::newRow("automatic, ticked") << "Auto" << true << "Topo 2" << "mapwren Auto mapset:1 Topo 2";
    }

    void TheHeadLineCarriesPortAndMapset()
    {
        QFETCH(QString, port);
        QFETCH(bool, ticked);
        QFETCH(QString, name);
        QFETCH(QString, head);
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}});
        LoadFolder(w, maps.path());
        Click(w.chkMapset);
        QTest::keyClicks(w.txtMapset, name);
        if (!ticked)
            Click(w.chkMapset);
        if (port == QLatin1String("none"))
            w.mnuUseSendmap1->trigger();
        else if (port == QLatin1String("USB"))
            Click(w.optUSB);
        ClickCell(w, 1, 0);
        SaveList(w, maps.path() / "list.mwl");
        QCOMPARE(ReadBytes(maps.path() / "list.mwl"),
                 head.toStdString() + "\r\n" + maps.folder() + "a.img\r\n");
    }

    void ALoadedHeadLineSetsTheControlsAsClicksWould_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<char>("port");
        QTest::addColumn<QString>("com");
        QTest::addColumn<bool>("speedEnabled");
        QTest::addColumn<int>("mapset");
        QTest::addColumn<QString>("name");
        QTest::newRow("usb in capitals") << "MAPWREN usb" << 'U' << "COM1" << false << 0 << "";
        QTest::newRow("com7") << "Mapwren com7" << 'C' << "COM7" << true << 0 << "";
        QTest::newRow("no port word, greyed mapset") << "mapwren  mapset:2 Grey " << 'A' << "COM1" << true << 2
                                                     << "Grey ";
    }

    void ALoadedHeadLineSetsTheControlsAsClicksWould()
    {
        QFETCH(QString, line);
        QFETCH(char, port);
        QFETCH(QString, com);
        QFETCH(bool, speedEnabled);
        QFETCH(int, mapset);
        QFETCH(QString, name);
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir lists;
        WriteBytes(lists.path() / "l.mwl", line.toStdString() + "\r\n");
        LoadList(w, lists.path() / "l.mwl");
        QCOMPARE(PortShown(w), port);
        QCOMPARE(w.cboCOM->currentText(), com);
        QCOMPARE(w.cboCOM->isEnabled(), port == 'C');
        QCOMPARE(w.opt9600->isEnabled(), speedEnabled);
        QCOMPARE(w.MapsetValue(), mapset);
        QCOMPARE(w.txtMapset->text(), name);
        QCOMPARE(w.txtMapset->isEnabled(), mapset == 1);
        // Settings without maps add no rows and leave Select All off.
        QCOMPARE(w.GridModel().rowCount(), 0);
        QVERIFY(!w.cmdSelectAll->isEnabled() && !w.cmdClearGrid->isEnabled());
    }

    void LoadedRowsArriveUntickedAndLeaveTheSelectionAlone()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}, {"b.img", "Beta", 400}});
        LoadFolder(w, maps.path());
        ClickCell(w, 1, 0);
        const QString count = w.lblFilesSelected->text();
        const QString total = w.lblTotalBytes->text();
        WriteBytes(maps.path() / "l.mwl", "mapwren Auto\r\n" + maps.folder() + "b.img\r\n" + maps.folder() +
                                              "gone.IMG\r\nnotes.txt\r\n" + maps.folder() + "b.img \r\n");
        LoadList(w, maps.path() / "l.mwl");
        QCOMPARE(TickPictures(w), QStringLiteral("v..x"));
        QCOMPARE(ColumnTexts(w, 1).mid(2), (QStringList{"b.img", "gone.IMG"}));
        QCOMPARE(ColumnTexts(w, 3).mid(2), (QStringList{"Beta" + QString(46, ' '), QString()}));
        QCOMPARE(ColumnTexts(w, 4).mid(2), (QStringList{"400", "0"}));
        QCOMPARE(w.lblFilesSelected->text(), count);
        QCOMPARE(w.lblTotalBytes->text(), total);
        QCOMPARE(w.Maps().SelectedCount(), 1);
        QVERIFY(w.cmdSelectAll->isEnabled() && w.cmdClearGrid->isEnabled());
    }

    void ARefusedListChangesNothing_data()
    {
        QTest::addColumn<QString>("content");   // "-": no such file
        QTest::addColumn<QString>("text");      // "{list}" stands for the list's path
        QTest::newRow("no marker word") << "C:\\MAPS\\A.IMG\r\nmapwren USB\r\n" << "Invalid File                 ";
        QTest::newRow("empty") << "" << "The list file {list} is empty.";
        QTest::newRow("missing") << "-" << "The list file {list} could not be opened.";
    }

    void ARefusedListChangesNothing()
    {
        QFETCH(QString, content);
        QFETCH(QString, text);
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir lists;
        const fs::path list = lists.path() / "l.txt";
        if (content != QLatin1String("-"))
            WriteBytes(list, content.toStdString());
        MessageWatch messages;
        LoadList(w, list);
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.title, QStringLiteral("MAPWREN"));
        QCOMPARE(seen.text, text.replace(QLatin1String("{list}"), Text(list)));
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QCOMPARE(PortShown(w), 'A');
        QCOMPARE(w.GridModel().rowCount(), 0);
        QVERIFY(!w.cmdSelectAll->isEnabled() && !w.cmdClearGrid->isEnabled());
    }

    void TheStartUpArgumentNamesAList_data()
    {
        QTest::addColumn<QString>("argument");   // "{list}" stands for a list's path holding a blank
        QTest::addColumn<bool>("loaded");
        QTest::newRow("quoted") << "\"{list}\"" << true;
        QTest::newRow("unquoted, with its blank") << "{list}" << true;
        QTest::newRow("opening quote only: the last character goes") << "\"{list}x" << true;
        QTest::newRow("a lone quote") << "\"" << false;
        QTest::newRow("none") << "" << false;
    }

    void TheStartUpArgumentNamesAList()
    {
        QFETCH(QString, argument);
        QFETCH(bool, loaded);
        ToolFolder tools({"sendmap20.exe"});
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}});
        const fs::path list = maps.path() / "My Lists.mwl";
        WriteBytes(list, "mapwren USB mapset:1 Alps\r\n" + maps.folder() + "a.img\r\n");
        argument.replace(QLatin1String("{list}"), Text(list));
        MessageWatch messages;
        frmMain w(tools.Folder(), argument.toStdString());
        QVERIFY(w.Form_Load());
        QVERIFY(messages.None());
        QCOMPARE(w.GridModel().rowCount(), loaded ? 1 : 0);
        QCOMPARE(PortShown(w), loaded ? 'U' : 'A');
        QCOMPARE(w.txtMapset->text(), loaded ? QStringLiteral("Alps") : QString());
        QCOMPARE(w.cmdSelectAll->isEnabled(), loaded);
    }

#ifndef _WIN32
    void AFailedSaveKeepsTheOldListAndNamesIt()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 300}});
        LoadFolder(w, maps.path());
        ClickCell(w, 1, 0);
        const fs::path list = maps.path() / "old.mwl";
        WriteBytes(list, "mapwren USB\r\nold\r\n");
        ::chmod(maps.path().c_str(), 0555);
        MessageWatch messages;
        const bool asUser = AsOrdinaryUser([&] { SaveList(w, list); });
        ::chmod(maps.path().c_str(), 0755);
        if (!asUser)
            QSKIP("cannot take an ordinary user's rights");
        const MessageWatch::Seen seen = messages.Only();
        QCOMPARE(seen.icon, QMessageBox::Warning);
        QVERIFY2(seen.text.contains(Text(list)), qPrintable(seen.text));
        QCOMPARE(ReadBytes(list), std::string("mapwren USB\r\nold\r\n"));
    }
#endif
};

} // namespace

std::unique_ptr<QObject> MakeListFilesTest() { return std::make_unique<ListFilesTest>(); }

} // namespace mapwren::testing

#include "ListFilesTest.moc"
