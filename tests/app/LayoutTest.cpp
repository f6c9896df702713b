#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>

#include "WindowFixture.h"
#include "WindowTests.h"
#include "app/Twips.h"

namespace mapwren::testing {

namespace {

QString Plain(QString caption) { return caption.remove('&'); }

// Width the caption needs inside its control, the box of an option button or
// check box included.
int NeededWidth(QWidget* control, const QString& caption)
{
    const int text = control->fontMetrics().horizontalAdvance(Plain(caption));
    if (qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control)) {
        const bool radio = qobject_cast<QRadioButton*>(control);
        QStyle* style = control->style();
        return text + style->pixelMetric(radio ? QStyle::PM_ExclusiveIndicatorWidth : QStyle::PM_IndicatorWidth) +
               style->pixelMetric(radio ? QStyle::PM_RadioButtonLabelSpacing : QStyle::PM_CheckBoxLabelSpacing);
    }
    if (qobject_cast<QPushButton*>(control))
        return text + 4;
    return text;
}

class LayoutTest : public QObject {
    Q_OBJECT
private slots:
    void WindowHasAFixedSizeAndNoMinimiseOrMaximiseButton()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        QCOMPARE(w.centralWidget()->size(), QSize(787, 434));   // 11805 x 6510 twips
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!w.windowIcon().isNull());
        const QPoint offCentre = w.frameGeometry().center() - w.screen()->availableGeometry().center();
        // Within the window frame's few pixels, unknown before it is first shown.
        QVERIFY2(offCentre.manhattanLength() <= 10, "first shown in the centre of the screen");
    }

    void ControlsSitAtTheirPlacesWithTheirCaptions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        const auto row = [](const char* name, QRect twips, const char* caption = "", const char* tooltip = "") {
            QTest::newRow(name) << name << twips << caption << tooltip;
        };
        row("cmdFileOpen", {120, 100, 1260, 855}, "Load &Folder");
        row("Frame1", {120, 1100, 1260, 1305}, "    I/O Port    ");
        row("optAuto", {100, 240, 855, 255}, "Auto");
        row("optCOM", {100, 600, 255, 255});
        row("cboCOM", {340, 570, 855, 315});
        row("optUSB", {100, 960, 855, 255}, "USB");
        row("fmeSpeed", {120, 2640, 1260, 1500}, "Upload Speed");
        row("opt9600", {240, 285, 195, 195});
        row("opt115200", {240, 1245, 195, 195});
        row("lbl9600", {510, 270, 480, 165}, "9600");
        row("lbl115200", {435, 1230, 555, 165}, "115200");
        row("MSFlexGrid1", {1470, 80, 10270, 4660});
        row("lblProcessing", {5000, 2000, 3375, 495}, "Processing ....");
        row("lblTotalBytes", {8400, 4800, 3255, 255});
        row("lblFilesSelected", {9600, 5200, 2055, 255});
        row("fmeMapset", {120, 4880, 4720, 675}, "Set Mapset Name");
        row("chkMapset", {120, 280, 255, 255});
        row("lblEnterMapset", {480, 315, 975, 255}, "Enter Name:");
        row("txtMapset", {1440, 280, 3135, 285});
        row("fmeList", {5100, 4720, 2895, 980}, "List");
        row("cmdSelectAll", {120, 240, 1365, 255}, "Select &All");
        row("cmdSelectNone", {1560, 240, 1215, 255}, "Select &None");
        row("cmdClearGrid", {120, 620, 855, 255}, "&Clear");
        row("cmdLoadList", {1080, 620, 855, 255}, "&Load", "Load a list of maps from a text file");
        row("cmdSaveList", {2040, 620, 735, 255}, "&Save", "Save list of selected maps to a text file");
        row("cmdEraseGPS", {5880, 5880, 1335, 255}, "&Erase GPS", "Use this if GPS is jammed");
        row("lblAreYouSure", {5400, 6165, 1095, 195}, "Are you Sure?");
        row("optSureYes", {6480, 6135, 615, 255}, "&Yes");
        row("optSureNo", {7200, 6135, 615, 255}, "&No");
        row("chkCreateFile", {8120, 5520, 2535, 255}, "Create File instead of Upload");
        row("cmdUpload", {8160, 5820, 1815, 615});
        row("cmdCreateFile", {8160, 5820, 1815, 615});
        row("cmdExit", {10365, 5820, 1335, 615}, "E&xit");
        row("picChecked", {840, 4320, 255, 255});
    }

    void ControlsSitAtTheirPlacesWithTheirCaptions()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, caption);
        StartedWindow started;
        auto* control = started.window->findChild<QWidget*>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), TwipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            shown = button->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            shown = label->text();
        else if (auto* frame = qobject_cast<QGroupBox*>(control))
            shown = frame->title();
        QCOMPARE(shown, caption);
        QTEST(control->toolTip(), "tooltip");
        if (!caption.isEmpty()) {
            QVERIFY2(NeededWidth(control, caption) <= control->width(),
                     qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                                    .arg(Plain(caption))
                                    .arg(NeededWidth(control, caption))
                                    .arg(control->width())));
            QVERIFY(control->fontMetrics().ascent() <= control->height());
        }
    }

    void EveryPortNameReadsWholeInTheClosedBox()
    {
        StartedWindow started;
        QComboBox* box = started.window->cboCOM;
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = false;
        const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        for (int i = 0; i < box->count(); ++i) {
            const int needed = box->fontMetrics().horizontalAdvance(box->itemText(i)) + 2;   // the label's inset
            QVERIFY2(needed <= field.width(), qPrintable(QStringLiteral("%1 needs %2 px, has %3")
                                                             .arg(box->itemText(i)).arg(needed).arg(field.width())));
        }
        QVERIFY(box->fontMetrics().height() <= field.height());
    }

    void TheBytesColumnShowsEverySizeWhole()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        TempDir maps;
        WriteMaps(maps.path(), {{"small.img", "Small", 1000}});
        LoadFolder(w, maps.path());
        QCOMPARE(w.MSFlexGrid1->columnWidth(4), 68);   // 1020 twips
        WriteMaps(maps.path(), {{"huge.img", "Huge", 2411724800}});
        LoadFolder(w, maps.path());
        const int margin = w.MSFlexGrid1->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, w.MSFlexGrid1) + 1;
        QVERIFY(w.MSFlexGrid1->fontMetrics().horizontalAdvance(QStringLiteral("2411724800")) + 2 * margin <=
                w.MSFlexGrid1->columnWidth(4));
        Click(w.cmdClearGrid);
        QCOMPARE(w.MSFlexGrid1->columnWidth(4), 68);
    }

    void FontsAndColoursAsDesigned()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        for (QWidget* bold : {static_cast<QWidget*>(w.cmdFileOpen), static_cast<QWidget*>(w.cmdEraseGPS),
                              static_cast<QWidget*>(w.cmdExit)})
            QVERIFY2(bold->font().bold(), qPrintable(bold->objectName()));
        QVERIFY(!w.cmdSelectAll->font().bold());
        QCOMPARE(w.cmdSelectAll->font().pointSizeF(), 8.25);
        QCOMPARE(w.MSFlexGrid1->font().pointSizeF(), 8.25);
        QCOMPARE(w.lblTotalBytes->font().pointSizeF(), 8.25);
        QCOMPARE(w.lblProcessing->font().pointSizeF(), 12.0);
        QVERIFY(w.lblProcessing->font().bold());
        // Verdana, or a sans-serif the system has in its place.
        QVERIFY(QFontInfo(w.MSFlexGrid1->font()).styleHint() != QFont::Serif);
        QCOMPARE(w.lblProcessing->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        for (QWidget* red : {static_cast<QWidget*>(w.lblAreYouSure), static_cast<QWidget*>(w.optSureYes),
                             static_cast<QWidget*>(w.optSureNo)}) {
            QCOMPARE(red->palette().color(QPalette::WindowText), QColor(255, 0, 0));
            QVERIFY(!red->isVisibleTo(&w));
        }
        QCOMPARE(w.MSFlexGrid1->palette().color(QPalette::Base), QColor(213, 218, 194));
        QVERIFY(w.lblTotalBytes->alignment() & Qt::AlignRight);
    }

    void ThePictureBoxesHoldThreeDistinctHiddenPictures()
    {
        StartedWindow started;
        frmMain& w = *started.window;
        QSet<qint64> keys;
        for (QLabel* box : {w.picUnchecked, w.picChecked, w.picNoFileExist}) {
            QVERIFY(!box->isVisibleTo(&w));
            QVERIFY2(!box->pixmap().isNull(), qPrintable(box->objectName()));
            QCOMPARE(box->pixmap().deviceIndependentSize(), QSizeF(15, 15));
            keys.insert(box->pixmap().cacheKey());
        }
        QCOMPARE(keys.size(), 3);
        QCOMPARE(w.cmdUpload->iconSize(), QSize(105, 19));
        QCOMPARE(w.cmdCreateFile->iconSize(), QSize(92, 15));
        QVERIFY(w.cmdUpload->text().isEmpty() && !w.cmdUpload->icon().isNull());
    }

    void MenusAsDesigned()
    {
        frmMain w("", "");   // before start-up: the design's states
        const QList<QAction*> bar = w.menuBar()->actions();
        QCOMPARE(bar.size(), 3);
        QCOMPARE(bar[0]->text(), QStringLiteral(" &File "));
        QCOMPARE(bar[1], w.mnuID);
        QCOMPARE(w.mnuID->text(), QStringLiteral("&Test Connection"));
        QCOMPARE(bar[2], w.mnuAbout);
        QCOMPARE(w.mnuAbout->text(), QStringLiteral(" &About "));
        const QList<QAction*> file = w.File->actions();
        QCOMPARE(file, (QList<QAction*>{w.mnuUseSendmap1, w.mnuUseSendmap2, w.mnuExit}));
        QCOMPARE(w.mnuUseSendmap1->text(), QStringLiteral("Use Sendmap.exe"));
        QCOMPARE(w.mnuUseSendmap2->text(), QStringLiteral("Use Sendmap20.exe"));
        QCOMPARE(w.mnuExit->text(), QStringLiteral("E&xit"));
        QCOMPARE(w.mnuUseSendmap1->shortcut(), QKeySequence(Qt::Key_F1));
        QCOMPARE(w.mnuUseSendmap2->shortcut(), QKeySequence(Qt::Key_F2));
        for (QAction* variant : {w.mnuUseSendmap1, w.mnuUseSendmap2})
            QVERIFY(!variant->isEnabled() && !variant->isChecked());
        QVERIFY(w.mnuID->isEnabled());
    }

    void DesignStatesBeforeStartUp()
    {
        frmMain w("", "");
        QVERIFY(w.opt115200->isChecked());
        for (QRadioButton* speed : {w.opt9600, w.opt19200, w.opt38400, w.opt57600})
            QVERIFY(!speed->isChecked());
        QCOMPARE(w.SelectedPort(), Port::None);
        QVERIFY(w.optCOM->isEnabled() && !w.optAuto->isEnabled() && !w.optUSB->isEnabled());
        QVERIFY(!w.cboCOM->isEnabled() && !w.txtMapset->isEnabled() && !w.lblEnterMapset->isEnabled());
        QVERIFY(w.fmeMapset->isEnabled() && w.chkMapset->isEnabled());
        QVERIFY(!w.cmdEraseGPS->isEnabled() && !w.cmdSaveList->isEnabled());
        QVERIFY(!w.cmdCreateFile->isVisibleTo(&w) && w.cmdUpload->isVisibleTo(&w));
        QCOMPARE(w.cboCOM->count(), 9);
        QCOMPARE(w.cboCOM->itemText(0), QStringLiteral("COM1"));
        QCOMPARE(w.cboCOM->itemText(8), QStringLiteral("COM9"));
    }

    void TabFollowsTheDesignOrder()
    {
        frmMain w("", "");
        const QList<QWidget*> order{w.cmdFileOpen, w.optAuto,     w.optUSB,       w.opt9600,       w.opt19200,
                                    w.opt38400,    w.opt57600,    w.opt115200,    w.cmdEraseGPS,   w.optSureYes,
                                    w.optSureNo,   w.cmdUpload,   w.cmdExit,      w.MSFlexGrid1,   w.cmdLoadList,
                                    w.cmdSaveList, w.cmdClearGrid, w.cboCOM,      w.optCOM,        w.chkMapset,
                                    w.txtMapset,   w.cmdSelectAll, w.cmdSelectNone, w.chkCreateFile, w.cmdCreateFile};
        QList<QWidget*> chain;
        QWidget* next = w.cmdFileOpen;
        for (int steps = 0; chain.size() < order.size() && steps < 500; ++steps) {
            if (order.contains(next))
                chain << next;
            next = next->nextInFocusChain();
        }
        QCOMPARE(chain, order);
    }
};

} // namespace

std::unique_ptr<QObject> MakeLayoutTest() { return std::make_unique<LayoutTest>(); }

} // namespace mapwren::testing

#include "LayoutTest.moc"
