#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/Palette.h"

namespace mapwren::testing {

namespace {

QString OnOff(bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); }

// "on" or "off" when every control agrees, "mixed" otherwise. A control's own
// state counts, so a box enabled inside a disabled frame is "on".
QString Enabled(std::initializer_list<QWidget*> controls)
{
    int on = 0;
    for (QWidget* control : controls)
        on += control->isEnabledTo(control->parentWidget()) ? 1 : 0;
    return on == 0 ? QStringLiteral("off") : on == int(controls.size()) ? QStringLiteral("on") : QStringLiteral("mixed");
}

QString PortName(frmMain& w)
{
    switch (w.SelectedPort()) {
    case Port::Auto: return QStringLiteral("auto");
    case Port::Com: return QStringLiteral("com");
    case Port::Usb: return QStringLiteral("usb");
    default: return QStringLiteral("none");
    }
}

// One item of the settings tables, as the user sees it.
QString Item(frmMain& w, const QString& key)
{
    if (key == "variant") return QString::number(w.UseSendmap20);
    if (key == "port") return PortName(w);
    if (key == "auto") return Enabled({w.optAuto});
    if (key == "usb") return Enabled({w.optUSB});
    if (key == "combox") return Enabled({w.cboCOM});
    if (key == "speed")
        return Enabled({w.fmeSpeed, w.opt9600, w.opt19200, w.opt38400, w.opt57600, w.opt115200, w.lbl9600, w.lbl19200,
                        w.lbl38400, w.lbl57600, w.lbl115200});
    if (key == "speedsel") return w.opt115200->isChecked() ? QStringLiteral("115200") : QStringLiteral("other");
    if (key == "frame") return Enabled({w.fmeMapset});
    if (key == "mapset") return Enabled({w.chkMapset});
    if (key == "name") return Enabled({w.txtMapset, w.lblEnterMapset});
    if (key == "bg") {
        const QColor bg = w.txtMapset->palette().color(QPalette::Base);
        return bg == MenuColour() ? QStringLiteral("menu") : bg == Light3DColour() ? QStringLiteral("3dlight")
                                                                                     : bg.name();
    }
    if (key == "title") return w.windowTitle().endsWith(QLatin1String("(Using Sendmap20.exe)")) ? "20" : "1";
    if (key == "mnu1") return w.mnuUseSendmap1->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear");
    if (key == "mnu2") return w.mnuUseSendmap2->isChecked() ? QStringLiteral("checked") : QStringLiteral("clear");
    if (key == "test") return OnOff(w.mnuID->isEnabled());
    if (key == "erase") return Enabled({w.cmdEraseGPS});
    if (key == "upload") return Enabled({w.cmdUpload, w.cmdCreateFile});
    if (key == "createbox") return w.chkCreateFile->isVisibleTo(&w) ? QStringLiteral("shown") : QStringLiteral("hidden");
    if (key == "button")
        return w.cmdCreateFile->isVisibleTo(&w) ? (w.cmdUpload->isVisibleTo(&w) ? "both" : "createfile") : "upload";
    if (key == "switch") return QString::fromStdString(w.CreateFileSwitch).replace(' ', '_');
    if (key == "text") return w.txtMapset->text();
    if (key == "focus") return w.txtMapset->hasFocus() ? QStringLiteral("name") : QStringLiteral("elsewhere");
    return QStringLiteral("unknown key");
}

// The items that `expected` names, read from the window in the same form.
QString Items(frmMain& w, const QString& expected)
{
    QStringList actual;
    for (const QString& pair : expected.split(' ', Qt::SkipEmptyParts)) {
        const QString key = pair.section('=', 0, 0);
        actual << key + '=' + Item(w, key);
    }
    return actual.join(' ');
}

// Runs the steps a user takes: tick (the first map), clicks on the port
// options and boxes, menu items, and the list loader's settings from code.
void Run(frmMain& w, const QString& steps, const std::filesystem::path& maps)
{
    for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
        if (step == "tick") {
            LoadFolder(w, maps);
            ClickCell(w, 1, 0);
        } else if (step == "auto") Click(w.optAuto);
        else if (step == "com") Click(w.optCOM);
        else if (step == "usb") Click(w.optUSB);
        else if (step == "mnu1") w.mnuUseSendmap1->trigger();
        else if (step == "mnu2") w.mnuUseSendmap2->trigger();
        else if (step == "mapset") Click(w.chkMapset);
        else if (step == "createfile") Click(w.chkCreateFile);
        else if (step == "type") QTest::keyClicks(w.txtMapset, QStringLiteral("Topo"));
        else if (step == "list-mapset") w.SetMapsetValue(1);
        else if (step == "list-usb") w.SelectPort(Port::Usb);
        else QFAIL(qPrintable("unknown step " + step));
    }
}

class SettingsTest : public QObject {
    Q_OBJECT
private:
    void AddRows(const QList<std::tuple<const char*, QStringList, QString, QString>>& rows)
    {
        QTest::addColumn<QStringList>("tools");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        for (const auto& [name, tools, steps, expected] : rows)
            QTest::newRow(name) << tools << steps << expected;
    }

    void Check()
    {
        QFETCH(QStringList, tools);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        ToolFolder folder(tools);
        TempDir maps;
        WriteMaps(maps.path(), {{"a.img", "Alpha", 1000}, {"b.img", "Beta", 2000}});
        auto window = StartWindow(folder.Folder());
        QVERIFY(window);
        QApplication::setActiveWindow(window.get());
        Run(*window, steps, maps.path());
        QCOMPARE(Items(*window, expected), expected);
    }

    const QStringList first{"sendmap.exe"};
    const QStringList both{"sendmap.exe", "sendmap20.exe"};

private slots:
    void ToolVariantEvents_data()
    {
        AddRows({
            {"start-up, first variant", first, "",
             "variant=0 auto=off usb=off port=none frame=off mapset=off name=off bg=3dlight title=1 mnu1=checked "
             "mnu2=clear test=off erase=on upload=off createbox=shown combox=off speed=on"},
            {"start-up, second variant", both, "",
             "variant=-1 auto=on usb=on port=auto frame=on mapset=on name=off bg=3dlight title=20 mnu1=clear "
             "mnu2=checked test=on erase=on upload=off createbox=shown combox=off speed=on"},
            {"first variant chosen with Auto", both, "tick mnu1",
             "variant=0 auto=off usb=off port=none frame=off mapset=off name=off bg=3dlight title=1 mnu1=checked "
             "mnu2=clear test=off erase=off upload=off createbox=hidden speed=on"},
            {"first variant chosen with COM", both, "tick com mnu1",
             "variant=0 port=com combox=on erase=on upload=on createbox=hidden speed=on"},
            {"first variant chosen with USB", both, "tick usb mnu1",
             "variant=0 port=usb usb=off speed=off erase=off upload=off"},
            {"COM after the first variant greyed USB", both, "tick usb mnu1 com",
             "port=com speed=on erase=on upload=on"},
            {"a tick after the first variant greyed USB", both, "usb mnu1 tick",
             "port=usb erase=on upload=on"},
            {"second variant chosen with COM", both, "tick mnu1 com mnu2",
             "variant=-1 auto=on usb=on port=auto combox=off frame=on mapset=on name=off title=20 mnu1=clear "
             "mnu2=checked test=on erase=on upload=on createbox=shown"},
            {"second variant chosen with the mapset ticked", both, "mapset type mnu1 mnu2",
             "frame=on mapset=on name=on bg=menu text=Topo"},
            {"second variant chosen again selects Auto", both, "usb mnu2", "port=auto speed=on"},
        });
    }
    void ToolVariantEvents() { Check(); }

    void PortEvents_data()
    {
        AddRows({
            {"Auto, nothing ticked", both, "com auto", "port=auto combox=off speed=on erase=on upload=off"},
            {"COM, nothing ticked", both, "com", "port=com combox=on speed=on erase=on upload=off"},
            {"USB, nothing ticked", both, "usb", "port=usb combox=off speed=off erase=on upload=off"},
            {"Auto, a map ticked", both, "tick usb auto", "port=auto combox=off speed=on speedsel=115200 upload=on"},
            {"COM, a map ticked", both, "tick com", "port=com combox=on upload=on"},
            {"USB, a map ticked", both, "tick usb", "port=usb speed=off speedsel=115200 upload=on"},
            {"COM with the first variant", first, "com", "port=com combox=on speed=on erase=on upload=off"},
            {"USB selected by the list loader", both, "list-usb", "port=usb combox=off speed=off"},
        });
    }
    void PortEvents() { Check(); }

    void MapsetEvents_data()
    {
        AddRows({
            {"ticked", both, "mapset", "name=on bg=menu focus=name"},
            {"unticked keeps the name", both, "mapset type mapset", "name=off bg=3dlight text=Topo"},
            {"ticked again", both, "mapset type mapset mapset", "name=on bg=menu text=Topo"},
            {"ticked by a list under the first variant", first, "list-mapset",
             "frame=off mapset=off name=on bg=menu focus=elsewhere"},
        });
    }
    void MapsetEvents() { Check(); }

    void CreateFileEvents_data()
    {
        AddRows({
            {"ticked, second variant", both, "createfile", "button=createfile switch=-l_"},
            {"unticked, second variant", both, "createfile createfile", "button=upload switch="},
            {"ticked, first variant", first, "createfile", "button=upload switch="},
            {"first variant chosen while ticked", both, "createfile mnu1", "createbox=hidden button=upload switch="},
            {"second variant chosen while ticked", both, "createfile mnu1 mnu2",
             "createbox=shown button=createfile switch=-l_"},
        });
    }
    void CreateFileEvents() { Check(); }

    void FunctionKeysChooseTheVariant()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_F1);
        QCOMPARE(w.UseSendmap20, 0);
        QTest::keyClick(&w, Qt::Key_F2);
        QCOMPARE(w.UseSendmap20, -1);
    }
};

} // namespace

std::unique_ptr<QObject> MakeSettingsTest() { return std::make_unique<SettingsTest>(); }

} // namespace mapwren::testing

#include "SettingsTest.moc"
