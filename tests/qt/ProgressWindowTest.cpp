// The progress window's Qt binding: built where the design puts its controls,
// the form's state drawn as posted updates arrive, Escape reaching the form
// through Qt's event path, and the window gone at the job's end. The behaviour
// itself is tested on the form; real clicks and keys on it in tests/e2e.
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <atomic>

#include "progress/frmProgressDesign.h"
#include "qt/ProgressWindow.h"
#include "qt/QtDesktop.h"
#include "qt/Twips.h"

namespace mapwren {

namespace {

// A job over a main window that reports half its maps done until it sees a cancel.
struct Started {
    QWidget main;
    QtDesktop desktop{&main};
    std::shared_ptr<frmProgress> form;
    std::string ended;

    Started()
    {
        main.resize(600, 400);
        main.show();
        ProgressJob job{"Write Combined Map File", "Writing /card/Garmin/gmapsupp.img", "map", "maps", {0, 4, 0, 4 << 20}, {}, {}};
        job.work = [](const ProgressReport& report) {
            while (report({2, 4, 2 << 20, 4 << 20}))
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return Status::Failure("cancelled");
        };
        job.ended = [this](const Status&, bool cancelled) { ended = cancelled ? "cancelled" : "not cancelled"; };
        form = frmProgress::Start(desktop, std::move(job));
    }
    ProgressWindow* Window() const { const auto open = desktop.ProgressWindows(); return open.empty() ? nullptr : open.front(); }
    template <class Widget> Widget* Control(const char* name) const { return qobject_cast<Widget*>(Window()->Control(name)); }
};

} // namespace

class ProgressWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Escape closes the window as the close box does; a button's click reaches its form as in the install window.
    void ControlsStandWhereTheDesignPutsThemShowTheFormsStateAndEscapeCancels()
    {
        Started s;
        QVERIFY(QTest::qWaitForWindowExposed(s.Window()));
        QCOMPARE(s.Window()->windowTitle(), QStringLiteral("Write Combined Map File"));
        QCOMPARE(s.Window()->size(), QSize(Px(frmProgressForm().width), Px(frmProgressForm().height)));
        for (const ControlDesign& design : frmProgressControls())
            QCOMPARE(s.Window()->Control(design.name)->geometry(),
                     TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
        QTRY_COMPARE(s.Control<QProgressBar>("prgDone")->value(), 50);
        QCOMPARE(s.Control<QLabel>("lblDone")->text().toStdString(), s.form->lblDone.text);
        QCOMPARE(s.Control<QLabel>("lblWhat")->text(), QStringLiteral("Writing /card/Garmin/gmapsupp.img"));
        QCOMPARE(s.Control<QPushButton>("cmdCancel")->text(), QStringLiteral("Cancel"));
        QVERIFY(s.Control<QPushButton>("cmdCancel")->hasFocus());

        QPointer<ProgressWindow> window = s.Window();
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!s.form->cmdCancel.enabled);
        QTRY_VERIFY(window.isNull());
        QCOMPARE(s.ended, std::string("cancelled"));
    }
};

} // namespace mapwren

QTEST_MAIN(mapwren::ProgressWindowTest)
#include "ProgressWindowTest.moc"
