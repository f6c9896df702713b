// What the About window does when it is opened, clicked and typed at.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AboutTests.h"
#include "common/Addresses.h"

namespace mapwren::testing {

namespace {

QPointF Centre(const QRect& r) { return QRectF(r).center(); }

void ExpectCentredOver(const QWidget* about, const QWidget* main)
{
    const QPointF offset = Centre(about->frameGeometry()) - Centre(main->frameGeometry());
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("off the centre by %1, %2").arg(offset.x()).arg(offset.y())));
}

// The background point is bare: no control lies under it.
QPoint BareSpot(frmAbout* about)
{
    const QPoint spot(4, 4);
    return about->childAt(spot) ? QPoint(-1, -1) : spot;
}

// Closes the popup menu a right press may open, so the test goes on.
void CloseNextPopup()
{
    QTimer::singleShot(50, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
}

class AboutEventsTest : public QObject {
    Q_OBJECT
private slots:
    void OpensCentredOverTheMainWindowWhereverItIs_data()
    {
        QTest::addColumn<QPoint>("mainAt");
        QTest::newRow("top left") << QPoint(0, 0);
        QTest::newRow("moved right and down") << QPoint(230, 170);
        QTest::newRow("partly off the screen") << QPoint(-300, -80);
    }

    void OpensCentredOverTheMainWindowWhereverItIs()
    {
        QFETCH(QPoint, mainAt);
        OpenedAbout opened;
        opened.main->move(mainAt);
        QPointer<frmAbout> again = frmAbout::ShowCentredOver(opened.main.get());
        QCOMPARE(again, opened.about);   // the same window, centred again
        QVERIFY(again->isVisible());
        ExpectCentredOver(again, opened.main.get());
    }

    void LeavesTheMainWindowUsable()
    {
        OpenedAbout opened;
        auto* button = new QPushButton(QStringLiteral("Go"), opened.main.get());
        button->setGeometry(10, 10, 80, 30);
        button->show();
        int clicks = 0;
        connect(button, &QPushButton::clicked, [&] { ++clicks; });
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(opened.about->isVisible());
    }

    void MousePresses_data()
    {
        QTest::addColumn<QString>("control");   // empty: the bare background
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("homepageOpened");
        for (const char* name : {"picIcon", "lblDescription", "lblTitle", "lblVersion", "Label1", "Label2", "Label4",
                                 "Label5"})
            QTest::newRow(name) << name << Qt::LeftButton << true << 0;
        QTest::newRow("background") << "" << Qt::LeftButton << true << 0;
        QTest::newRow("label, right button") << "lblTitle" << Qt::RightButton << false << 0;
        QTest::newRow("txtURL, left") << "txtURL" << Qt::LeftButton << false << 1;
        QTest::newRow("txtURL, right") << "txtURL" << Qt::RightButton << false << 1;
        QTest::newRow("txtURL, middle") << "txtURL" << Qt::MiddleButton << false << 1;
        QTest::newRow("txtEmail, left") << "txtEmail" << Qt::LeftButton << false << 0;
        QTest::newRow("txtEmail, right") << "txtEmail" << Qt::RightButton << false << 0;
    }

    void MousePresses()
    {
        QFETCH(QString, control);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, closes);
        QFETCH(int, homepageOpened);
        OpenedUrls browser;
        OpenedAbout opened;
        QWidget* target = control.isEmpty() ? opened.about.data() : opened.about->findChild<QWidget*>(control);
        QVERIFY(target);
        const QPoint at = control.isEmpty() ? BareSpot(opened.about) : target->rect().center();
        QVERIFY(target->rect().contains(at));
        CloseNextPopup();
        QTest::mouseClick(target, button, {}, at);
        QCOMPARE(Gone(opened.about), closes);
        QCOMPARE(browser.urls.size(), homepageOpened);
        for (const QUrl& url : browser.urls)
            QCOMPARE(url.toString(), QString::fromUtf8(kHomepage));
    }

    void PressInTheEmailSelectsAllOfIt_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::newRow("left") << Qt::LeftButton;
        QTest::newRow("middle") << Qt::MiddleButton;
        QTest::newRow("right") << Qt::RightButton;
    }

    void PressInTheEmailSelectsAllOfIt()
    {
        QFETCH(Qt::MouseButton, button);
        OpenedAbout opened;
        QLineEdit* email = opened.about->txtEmail;
        email->setSelection(3, 4);   // part of the address chosen before
        CloseNextPopup();
        QTest::mousePress(email, button, {}, QPoint(20, 8));
        QTest::mouseMove(email, QPoint(60, 8));   // a drag does not narrow it
        QTest::mouseRelease(email, button, {}, QPoint(60, 8));
        QCOMPARE(email->selectionStart(), 0);
        QCOMPARE(email->selectedText(), QString::fromUtf8(kAuthorEmail));
        QVERIFY(opened.about->isVisible());
    }

    void Keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("closes");
        const Qt::KeyboardModifiers none;
        QTest::newRow("Escape on the icon") << "picIcon" << int(Qt::Key_Escape) << none << true;
        QTest::newRow("letter on the icon") << "picIcon" << int(Qt::Key_Q) << none << true;
        QTest::newRow("Tab on the icon") << "picIcon" << int(Qt::Key_Tab) << none << true;
        QTest::newRow("arrow in the homepage box") << "txtURL" << int(Qt::Key_Right) << none << true;
        QTest::newRow("Enter in the homepage box") << "txtURL" << int(Qt::Key_Return) << none << true;
        QTest::newRow("letter in the e-mail box") << "txtEmail" << int(Qt::Key_A) << none << true;
        QTest::newRow("Home in the e-mail box") << "txtEmail" << int(Qt::Key_Home) << none << true;
        QTest::newRow("Ctrl held alone") << "picIcon" << int(Qt::Key_Control) << none << false;
        QTest::newRow("Shift held alone in a box") << "txtEmail" << int(Qt::Key_Shift) << none << false;
    }

    void Keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, closes);
        OpenedAbout opened;
        QWidget* target = opened.about->findChild<QWidget*>(focus);
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), modifiers);
        QCOMPARE(Gone(opened.about), closes);
    }

    void CopyKeysCopyTheSelectedEmailAndKeepTheWindow()
    {
        OpenedAbout opened;
        QLineEdit* email = opened.about->txtEmail;
        QApplication::clipboard()->clear();
        QTest::mouseClick(email, Qt::LeftButton);
        QTest::keyClick(email, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString::fromUtf8(kAuthorEmail));
        QVERIFY(!Gone(opened.about));
    }

    void ReopenedAfterClosingShowsItsDesign()
    {
        OpenedAbout opened;
        opened.about->txtEmail->setText(QStringLiteral("changed"));
        opened.about->lblVersion->hide();
        QTest::keyClick(opened.about->picIcon, Qt::Key_Escape);
        QVERIFY(Gone(opened.about));
        QPointer<frmAbout> again = frmAbout::ShowCentredOver(opened.main.get());
        QCOMPARE(again->txtEmail->text(), QString::fromUtf8(kAuthorEmail));
        QVERIFY(!again->txtEmail->hasSelectedText());
        QVERIFY(again->lblVersion->isVisible());
    }

    // Reopening before the closed window is deleted still gives a live window.
    void ReopenedAtOnceAfterClosingStaysOpen()
    {
        OpenedAbout opened;
        opened.about->close();
        QPointer<frmAbout> again = frmAbout::ShowCentredOver(opened.main.get());
        QVERIFY(!Gone(again));
        QVERIFY(again->isVisible());
    }

    // The main window closes every window of the program when it closes, and
    // its About window is one of them; destroying it takes its About window.
    void GoesWithTheMainWindow()
    {
        OpenedAbout opened;
        QVERIFY(QApplication::topLevelWidgets().contains(opened.about.data()));
        opened.main.reset();
        QVERIFY(opened.about.isNull());
    }
};

} // namespace

std::unique_ptr<QObject> MakeAboutEventsTest() { return std::make_unique<AboutEventsTest>(); }

} // namespace mapwren::testing

#include "AboutEventsTest.moc"
