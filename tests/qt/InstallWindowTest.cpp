// The install window's Qt binding: built where the design puts its controls,
// the form's state and place list drawn, a click, a choice in the list, a
// typed name and the poll's timer reaching the form through Qt's event path,
// Escape closing it. The behaviour itself is tested on the form.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/FakeDesktop.h"
#include "img/CombinedMap.h"
#include "install/frmInstallDesign.h"
#include "qt/InstallWindow.h"
#include "qt/Twips.h"
#include "support/FakeVolumes.h"
#include "support/Fixtures.h"

namespace mapwren {

namespace {

namespace fx = mapwren::testing;

// An eTrex and a card in temporary folders, one tile to install.
struct Opened {
    fx::TempDir dir;
    QWidget main;
    fx::FakeDesktop desktop;
    std::shared_ptr<fx::FakeVolumes> volumes = std::make_shared<fx::FakeVolumes>();
    InstallWindow* window = nullptr;

    Opened()
    {
        fx::WriteTileImg(dir.path() / "alps.img", "Alps", {{"63240001", 47, 11, 46, 10}});
        auto planned = PlanCombinedMap({(dir.path() / "alps.img").string()}, "");
        fx::WriteGarminDevice(dir.path() / "etrex", "eTrex 30");
        std::filesystem::create_directories(dir.path() / "card");
        volumes->volumes = {{(dir.path() / "etrex").string(), "/dev/sdb1", "vfat", false, 1 << 30, 4096},
                            {(dir.path() / "card").string(), "/dev/sdc1", "vfat", true, 1 << 30, 4096}};
        main.resize(600, 400);
        main.show();
        auto plan = std::make_shared<const CombinedPlan>(std::move(planned.value()));
        window = new InstallWindow(std::make_shared<frmInstall>(desktop, volumes, plan, ""), &main);
    }
    template <class Widget> Widget* Control(const char* name) const { return qobject_cast<Widget*>(window->Control(name)); }
};

} // namespace

class InstallWindowTest : public QObject {
    Q_OBJECT
private slots:
    void ControlsStandWhereTheDesignPutsThemShowTheFormsStateAndPassItsEvents()
    {
        Opened o;
        QCOMPARE(o.window->windowTitle(), QStringLiteral("Install Maps on Receiver or Card"));
        QCOMPARE(o.window->size(), QSize(Px(frmInstallForm().width), Px(frmInstallForm().height)));
        for (const ControlDesign& design : frmInstallControls())
            QCOMPARE(o.window->Control(design.name)->geometry(),
                     TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
        auto* places = o.Control<QComboBox>("cboPlace");
        QCOMPARE(places->count(), 2);
        QVERIFY(places->itemText(0).startsWith(QStringLiteral("eTrex 30 (")));
        QCOMPARE(places->currentIndex(), 0);
        QCOMPARE(o.Control<QLineEdit>("txtName")->text(), QStringLiteral("gmapsupp.img"));

        // A choice, typing, a click, the poll and Escape reach the form.
        places->setFocus();
        QTest::keyClick(places, Qt::Key_Down);   // the card
        QVERIFY(o.Control<QLabel>("lblVolume")->text().contains(QStringLiteral("card")));
        auto* name = o.Control<QLineEdit>("txtName");
        name->clear();
        QTest::keyClicks(name, "alps.txt");
        QTest::mouseClick(o.Control<QPushButton>("cmdInstall"), Qt::LeftButton);
        QCOMPARE(o.desktop.messages.size(), std::size_t{1});
        QVERIFY(o.desktop.messages[0].find("alps.txt does not end in .img") != std::string::npos);

        o.volumes->volumes.pop_back();   // the card pulled out: gone at the next look
        QTRY_COMPARE_WITH_TIMEOUT(places->count(), 1, 3000);
        QPointer<InstallWindow> window = o.window;
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::InstallWindowTest)
#include "InstallWindowTest.moc"
