#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/ArgumentText.h"
#include "app/MapListModel.h"
#include "common/Addresses.h"

namespace mapwren::testing {

namespace {

const QString kFirstTitle = QStringLiteral("MAPWREN v1.96  by Tobrenn     (Using Sendmap.exe)");
const QString kSecondTitle = QStringLiteral("MAPWREN v1.96  by Tobrenn     (Using Sendmap20.exe)");

// Another window of the program, such as the About window; counts its closings.
class OtherWindow : public QWidget {
public:
    int closed = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        ++closed;
        QWidget::closeEvent(event);
    }
};

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void ChoosesTheVariantByTheToolsFound_data()
    {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<int>("useSendmap20");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("sendmapItem");     // enabled, and checked when in use
        QTest::addColumn<bool>("sendmap20Item");
        QTest::addColumn<bool>("autoSelected");
        QTest::newRow("first only") << QStringList{"sendmap.exe"} << 0 << kFirstTitle << true << false << false;
        QTest::newRow("second only") << QStringList{"sendmap20.exe"} << -1 << kSecondTitle << false << true << true;
        QTest::newRow("both") << QStringList{"sendmap.exe", "sendmap20.exe"} << -1 << kSecondTitle << true << true
                              << true;
        QTest::newRow("names in capitals") << QStringList{"SENDMAP.EXE", "SendMap20.Exe"} << -1 << kSecondTitle
                                           << true << true << true;
    }

    void ChoosesTheVariantByTheToolsFound()
    {
        QFETCH(QStringList, tools);
        QFETCH(int, useSendmap20);
        ToolFolder folder(tools);
        auto window = StartWindow(folder.Folder());
        QVERIFY(window);
        QCOMPARE(window->UseSendmap20, useSendmap20);
        QTEST(window->windowTitle(), "title");
        QTEST(window->mnuUseSendmap1->isEnabled(), "sendmapItem");
        QTEST(window->mnuUseSendmap2->isEnabled(), "sendmap20Item");
        QCOMPARE(window->mnuUseSendmap1->isChecked(), useSendmap20 == 0);
        QCOMPARE(window->mnuUseSendmap2->isChecked(), useSendmap20 != 0);
        QTEST(window->optAuto->isChecked(), "autoSelected");
        QVERIFY(window->isVisible());
    }

    void LeavesAnEmptyGridAndTheListButtonsDisabled()
    {
        for (const char* tool : {"sendmap.exe", "sendmap20.exe"}) {
            ToolFolder folder({tool});
            auto window = StartWindow(folder.Folder());
            QVERIFY(window);
            QCOMPARE(window->GridModel().rowCount(), 0);
            QCOMPARE(window->cboCOM->currentText(), QStringLiteral("COM1"));
            const QStringList headers{"", "File", "Folder", "Map Name", "Bytes"};
            for (int col = 0; col < 5; ++col)
                QCOMPARE(window->GridModel().headerData(col, Qt::Horizontal, Qt::DisplayRole).toString(),
                         headers[col]);
            for (QPushButton* button : {window->cmdSelectAll, window->cmdSelectNone, window->cmdSaveList,
                                        window->cmdUpload, window->cmdCreateFile, window->cmdClearGrid})
                QVERIFY2(!button->isEnabled(), qPrintable(button->objectName()));
            QVERIFY(window->cmdEraseGPS->isEnabled());
        }
    }

#ifndef _WIN32
    void TheArgumentTextIsEverythingAfterTheProgramName()
    {
        char program[] = "mapwren";
        char first[] = "/maps/My";
        char second[] = "Lists.mwl";
        char* argv[] = {program, first, second, nullptr};
        QCOMPARE(ArgumentText(1, argv), std::string());
        QCOMPARE(ArgumentText(2, argv), std::string("/maps/My"));
        QCOMPARE(ArgumentText(3, argv), std::string("/maps/My Lists.mwl"));
        frmMain window("", ArgumentText(3, argv));
        QCOMPARE(window.ArgumentText(), std::string("/maps/My Lists.mwl"));
    }
#endif

    void WithoutAToolShowsTheMessageAndGoesNoFurther()
    {
        ToolFolder folder({"sendmap.txt", "sendmap20.exe.bak"});
        frmMain window(folder.Folder(), std::string());
        auto seen = std::make_shared<SeenMessage>();
        AnswerNextMessage(seen, &window);
        QVERIFY(!window.Form_Load());
        QVERIFY(seen->shown);
        QCOMPARE(seen->title, QStringLiteral("mapwren"));
        QCOMPARE(seen->icon, QMessageBox::Critical);
        QCOMPARE(seen->text, QStringLiteral("Sendmap.exe or Sendmap20.exe is not in this folder.\r\n"
                                            "You can download it from ") +
                                 QLatin1String(kToolDownloadPage));
        QVERIFY(seen->ownerVisible);
        // Nothing after the message: no title of its own, no COM port, no variant, no disabled buttons.
        QCOMPARE(window.windowTitle(), QStringLiteral(" "));   // untitled, not the program's name
        QVERIFY(window.cboCOM->currentText().isEmpty());
        QVERIFY(!window.mnuUseSendmap1->isEnabled() && !window.mnuUseSendmap2->isEnabled());
        QVERIFY(window.cmdClearGrid->isEnabled());
    }

    // Every way of closing the main window closes the program's other windows too.
    void ClosingClosesEveryWindow_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box") << "close box";
        QTest::newRow("Exit button") << "cmdExit";
        QTest::newRow("Exit menu item") << "mnuExit";
    }

    void ClosingClosesEveryWindow()
    {
        QFETCH(QString, how);
        StartedWindow started;
        frmMain& window = *started.window;
        OtherWindow shown;
        OtherWindow hidden;
        shown.show();
        if (how == QLatin1String("close box"))
            window.close();
        else if (how == QLatin1String("cmdExit"))
            Click(window.cmdExit);
        else
            window.mnuExit->trigger();
        QVERIFY(!window.isVisible());
        QVERIFY(!shown.isVisible());
        QCOMPARE(shown.closed, 1);
        QCOMPARE(hidden.closed, 1);
    }
};

} // namespace

std::unique_ptr<QObject> MakeStartupTest() { return std::make_unique<StartupTest>(); }

} // namespace mapwren::testing

#include "StartupTest.moc"
