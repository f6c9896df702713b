#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTest>

#include "WindowFixture.h"
#include "WindowTests.h"
#include "qt/AboutWindow.h"

namespace mapwren::testing {

namespace {

class AboutMenuTest : public QObject {
    Q_OBJECT
private slots:
    void AboutOpensCentredWithoutBlockingAndClosesWithTheMainWindow()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        w.move(40, 30);
        w.mnuAbout->trigger();
        const QList<AboutWindow*> opened = w.findChildren<AboutWindow*>();
        QCOMPARE(opened.size(), 1);
        QPointer<AboutWindow> about = opened.front();
        QVERIFY(about->isVisible());
        const QPointF offset = QRectF(about->frameGeometry()).center() - QRectF(w.frameGeometry()).center();
        QVERIFY(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(w.isEnabled());
        w.close();
        QVERIFY(!about || !about->isVisible());
    }
};

} // namespace

std::unique_ptr<QObject> MakeAboutMenuTest() { return std::make_unique<AboutMenuTest>(); }

} // namespace mapwren::testing

#include "AboutMenuTest.moc"
