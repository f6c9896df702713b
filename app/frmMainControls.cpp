// The main window's controls as designed: places, captions, fonts, colours,
// initial states, menus and tab order.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <map>

#include "app/DesignFont.h"
#include "app/GridDelegate.h"
#include "app/MapListModel.h"
#include "app/OptionButtons.h"
#include "app/Palette.h"
#include "app/Pictures.h"
#include "app/Twips.h"
#include "app/frmMain.h"

namespace mapwren {

namespace {

constexpr int kClientWidth = 11805;
constexpr int kClientHeight = 6510;
constexpr int kHeaderRowHeight = 240;   // the grid's rows, header included

template <class W>
W* Place(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsRect(left, top, width, height));
    return widget;
}

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel* PictureBox(QWidget* parent, const char* name, int left, const QString& resource)
{
    auto* box = Place(new QLabel(parent), name, left, 4320, 255, 255);
    box->setPixmap(RenderPicture(resource, QSize(15, 15)));
    box->hide();
    return box;
}

QPushButton* PictureButton(QWidget* parent, const char* name, const QString& resource, QSize size)
{
    auto* button = Place(new QPushButton(parent), name, 8160, 5820, 1815, 615);
    button->setIcon(QIcon(RenderPicture(resource, size)));
    button->setIconSize(size);
    return button;
}

// The closed COM box is too narrow for "COM8" beside the style's usual arrow
// in the fallback font; a slimmer arrow lets every port name read whole.
class SlimArrowStyle : public QProxyStyle {
public:
    explicit SlimArrowStyle(QObject* owner)
    {
        setParent(owner);
    }

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override
    {
        constexpr int kSlimmer = 7;
        const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
        if (control == CC_ComboBox && part == SC_ComboBoxArrow)
            return rect.adjusted(kSlimmer, 0, 0, 0);
        if (control == CC_ComboBox && part == SC_ComboBoxEditField)
            return rect.adjusted(0, 0, kSlimmer, 0);
        return rect;
    }
};

} // namespace

frmMain::frmMain(std::string programFolder, std::string argumentText, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      programFolder_(std::move(programFolder)),
      argumentText_(std::move(argumentText))
{
    setObjectName(QStringLiteral("frmMain"));
    // Untitled until start-up names it. Qt would show the program's name for
    // an empty title on X11, so the title is one blank.
    setWindowTitle(QStringLiteral(" "));
    setFont(SansSerif825());
    setWindowIcon(ProgramIcon());
    AskForImgFile = [this] { return AskForImgFileWithDialog(); };
    AskForListToLoad = [this] { return AskForListToLoadWithDialog(); };
    AskForListToSave = [this] { return AskForListToSaveWithDialog(); };
    CreateControls();
    CreateMenus();
    SetTabOrder();
    ConnectEvents();
    setFixedSize(Px(kClientWidth), Px(kClientHeight) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::CreateControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(kClientWidth), Px(kClientHeight));
    setCentralWidget(client);

    cmdFileOpen = Place(new QPushButton(tr("Load &Folder"), client), "cmdFileOpen", 120, 100, 1260, 855);
    cmdFileOpen->setFont(SansSerif825(true));

    CreateSettingControls();

    picUnchecked = PictureBox(client, "picUnchecked", 600, QStringLiteral(":/unchecked.svg"));
    picChecked = PictureBox(client, "picChecked", 840, QStringLiteral(":/checked.svg"));
    picNoFileExist = PictureBox(client, "picNoFileExist", 1080, QStringLiteral(":/nofile.svg"));

    lblProcessing = Place(new QLabel(tr("Processing ...."), client), "lblProcessing", 5000, 2000, 3375, 495);
    lblProcessing->setFont(Verdana(12, true));
    lblProcessing->setAlignment(Qt::AlignCenter);
    SetTextColour(lblProcessing, kBlue);
    CreateGrid();
    lblProcessing->stackUnder(MSFlexGrid1);

    lblTotalBytes = Place(new QLabel(client), "lblTotalBytes", 8400, 4800, 3255, 255);
    lblFilesSelected = Place(new QLabel(client), "lblFilesSelected", 9600, 5200, 2055, 255);
    for (QLabel* label : {lblTotalBytes, lblFilesSelected}) {
        label->setFont(Verdana(8.25));
        label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }

    CreateListControls();

    cmdEraseGPS = Place(new QPushButton(tr("&Erase GPS"), client), "cmdEraseGPS", 5880, 5880, 1335, 255);
    cmdEraseGPS->setFont(SansSerif825(true));
    cmdEraseGPS->setToolTip(tr("Use this if GPS is jammed"));
    cmdEraseGPS->setEnabled(false);
    lblAreYouSure = Place(new QLabel(tr("Are you Sure?"), client), "lblAreYouSure", 5400, 6165, 1095, 195);
    optSureYes = Place(new QRadioButton(tr("&Yes"), client), "optSureYes", 6480, 6135, 615, 255);
    optSureNo = Place(new QRadioButton(tr("&No"), client), "optSureNo", 7200, 6135, 615, 255);
    for (QWidget* control : {static_cast<QWidget*>(lblAreYouSure), static_cast<QWidget*>(optSureYes),
                             static_cast<QWidget*>(optSureNo)}) {
        SetTextColour(control, kRed);
        control->hide();
    }

    chkCreateFile = Place(new QCheckBox(tr("Create File instead of Upload"), client), "chkCreateFile", 8120, 5520,
                          2535, 255);
    cmdUpload = PictureButton(client, "cmdUpload", QStringLiteral(":/upload.svg"), QSize(105, 19));
    cmdCreateFile = PictureButton(client, "cmdCreateFile", QStringLiteral(":/createfile.svg"), QSize(92, 15));
    cmdCreateFile->hide();
    cmdExit = Place(new QPushButton(tr("E&xit"), client), "cmdExit", 10365, 5820, 1335, 615);
    cmdExit->setFont(SansSerif825(true));
}

void frmMain::CreateSettingControls()
{
    QWidget* client = centralWidget();
    Frame1 = Place(new QGroupBox(tr("    I/O Port    "), client), "Frame1", 120, 1100, 1260, 1305);
    optAuto = Place(new QRadioButton(tr("Auto"), Frame1), "optAuto", 100, 240, 855, 255);
    optCOM = Place(new QRadioButton(Frame1), "optCOM", 100, 600, 255, 255);
    cboCOM = Place(new QComboBox(Frame1), "cboCOM", 340, 570, 855, 315);
    cboCOM->setStyle(new SlimArrowStyle(cboCOM));
    optUSB = Place(new QRadioButton(tr("USB"), Frame1), "optUSB", 100, 960, 855, 255);
    for (int i = 1; i <= 9; ++i)
        cboCOM->addItem(QStringLiteral("COM%1").arg(i));
    cboCOM->setCurrentIndex(-1);   // no text until start-up sets it
    optAuto->setEnabled(false);
    optUSB->setEnabled(false);
    cboCOM->setEnabled(false);

    fmeSpeed = Place(new QGroupBox(tr("Upload Speed"), client), "fmeSpeed", 120, 2640, 1260, 1500);
    opt9600 = Place(new QRadioButton(fmeSpeed), "opt9600", 240, 285, 195, 195);
    opt19200 = Place(new QRadioButton(fmeSpeed), "opt19200", 240, 525, 195, 195);
    opt38400 = Place(new QRadioButton(fmeSpeed), "opt38400", 240, 765, 195, 195);
    opt57600 = Place(new QRadioButton(fmeSpeed), "opt57600", 240, 1005, 195, 195);
    opt115200 = Place(new QRadioButton(fmeSpeed), "opt115200", 240, 1245, 195, 195);
    lbl9600 = Place(new QLabel(QStringLiteral("9600"), fmeSpeed), "lbl9600", 510, 270, 480, 165);
    lbl19200 = Place(new QLabel(QStringLiteral("19200"), fmeSpeed), "lbl19200", 435, 510, 555, 165);
    lbl38400 = Place(new QLabel(QStringLiteral("38400"), fmeSpeed), "lbl38400", 435, 750, 555, 165);
    lbl57600 = Place(new QLabel(QStringLiteral("57600"), fmeSpeed), "lbl57600", 435, 990, 555, 165);
    lbl115200 = Place(new QLabel(QStringLiteral("115200"), fmeSpeed), "lbl115200", 435, 1230, 555, 165);
    for (QLabel* label : {lbl9600, lbl19200, lbl38400, lbl57600, lbl115200})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    opt115200->setChecked(true);

    fmeMapset = Place(new QGroupBox(tr("Set Mapset Name"), client), "fmeMapset", 120, 4880, 4720, 675);
    chkMapset = Place(new QCheckBox(fmeMapset), "chkMapset", 120, 280, 255, 255);
    lblEnterMapset = Place(new QLabel(tr("Enter Name:"), fmeMapset), "lblEnterMapset", 480, 315, 975, 255);
    txtMapset = Place(new QLineEdit(fmeMapset), "txtMapset", 1440, 280, 3135, 285);
    lblEnterMapset->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetMapsetBoxEnabled(false);
}

void frmMain::CreateListControls()
{
    fmeList = Place(new QGroupBox(tr("List"), centralWidget()), "fmeList", 5100, 4720, 2895, 980);
    cmdSelectAll = Place(new QPushButton(tr("Select &All"), fmeList), "cmdSelectAll", 120, 240, 1365, 255);
    cmdSelectNone = Place(new QPushButton(tr("Select &None"), fmeList), "cmdSelectNone", 1560, 240, 1215, 255);
    cmdClearGrid = Place(new QPushButton(tr("&Clear"), fmeList), "cmdClearGrid", 120, 620, 855, 255);
    cmdLoadList = Place(new QPushButton(tr("&Load"), fmeList), "cmdLoadList", 1080, 620, 855, 255);
    cmdSaveList = Place(new QPushButton(tr("&Save"), fmeList), "cmdSaveList", 2040, 620, 735, 255);
    cmdLoadList->setToolTip(tr("Load a list of maps from a text file"));
    cmdSaveList->setToolTip(tr("Save list of selected maps to a text file"));
    cmdSaveList->setEnabled(false);
}

void frmMain::CreateGrid()
{
    MSFlexGrid1 = Place(new QTableView(centralWidget()), "MSFlexGrid1", 1470, 80, 10270, 4660);
    model_ = new MapListModel(mapList_, {picUnchecked->pixmap(), picChecked->pixmap(), picNoFileExist->pixmap()}, this);
    MSFlexGrid1->setModel(model_);
    MSFlexGrid1->setItemDelegate(new GridDelegate(MSFlexGrid1));
    MSFlexGrid1->setFont(Verdana(8.25));
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setAutoScroll(false);   // moving the current cell does not scroll, as in the grid we follow
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    MSFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);   // whole rows, never half a row
    MSFlexGrid1->setTabKeyNavigation(false);   // one stop of the tab order, as a grid is

    QPalette palette = MSFlexGrid1->palette();
    palette.setColor(QPalette::Base, kGridBackground);
    MSFlexGrid1->setPalette(palette);

    QHeaderView* rows = MSFlexGrid1->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(Px(kHeaderRowHeight));

    QHeaderView* header = MSFlexGrid1->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(Px(kHeaderRowHeight));

    MSFlexGrid1->viewport()->installEventFilter(this);
    header->viewport()->installEventFilter(this);
}

void frmMain::CreateMenus()
{
    File = menuBar()->addMenu(tr(" &File "));
    File->setObjectName(QStringLiteral("File"));
    mnuUseSendmap1 = File->addAction(tr("Use Sendmap.exe"));
    mnuUseSendmap2 = File->addAction(tr("Use Sendmap20.exe"));
    mnuExit = File->addAction(tr("E&xit"));
    mnuID = menuBar()->addAction(tr("&Test Connection"));
    mnuAbout = menuBar()->addAction(tr(" &About "));

    mnuUseSendmap1->setShortcut(Qt::Key_F1);
    mnuUseSendmap2->setShortcut(Qt::Key_F2);
    for (QAction* variant : {mnuUseSendmap1, mnuUseSendmap2}) {
        variant->setCheckable(true);
        variant->setEnabled(false);
    }
    mnuUseSendmap1->setObjectName(QStringLiteral("mnuUseSendmap1"));
    mnuUseSendmap2->setObjectName(QStringLiteral("mnuUseSendmap2"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    mnuID->setObjectName(QStringLiteral("mnuID"));
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
}

// The keyboard order of the design; controls that take no focus (frames,
// labels, picture boxes) hold numbers in it too and are left out here.
void frmMain::SetTabOrder()
{
    const std::map<int, QWidget*> order = {
        {0, cmdFileOpen},     {1, optAuto},        {2, optUSB},         {3, opt9600},      {4, opt19200},
        {5, opt38400},        {6, opt57600},       {7, opt115200},      {11, cmdEraseGPS}, {12, optSureYes},
        {13, optSureNo},      {14, cmdUpload},     {15, cmdExit},       {16, MSFlexGrid1}, {32, cmdLoadList},
        {33, cmdSaveList},    {34, cmdClearGrid},  {36, cboCOM},        {37, optCOM},      {39, chkMapset},
        {41, txtMapset},      {42, cmdSelectAll},  {43, cmdSelectNone}, {44, chkCreateFile},
        {45, cmdCreateFile},
    };
    QWidget* previous = nullptr;
    for (const auto& [tab, widget] : order) {
        if (previous)
            setTabOrder(previous, widget);
        previous = widget;
        tabOrder_.push_back(widget);
    }
    EnterGroupAtSelected({optAuto, optUSB, optCOM});
    EnterGroupAtSelected({opt9600, opt19200, opt38400, opt57600, opt115200});
    EnterGroupAtSelected({optSureYes, optSureNo});
}

// Where the design gives one access key to several controls, Qt only moves
// the focus between them. Windows presses the first of them in the tab order
// that can take it; with none, the menu bar's item of that letter opens.
void frmMain::ActOnAccessKey(const QKeySequence& key)
{
    for (QWidget* control : tabOrder_) {
        auto* button = qobject_cast<QAbstractButton*>(control);
        if (button && button->isVisible() && button->isEnabled() && QKeySequence::mnemonic(button->text()) == key) {
            button->setFocus(Qt::ShortcutFocusReason);
            button->animateClick();
            return;
        }
    }
    for (QAction* item : menuBar()->actions()) {
        if (item->isEnabled() && QKeySequence::mnemonic(item->text()) == key) {
            if (item->menu())
                menuBar()->setActiveAction(item);
            else
                item->trigger();
            return;
        }
    }
}

void frmMain::ConnectEvents()
{
    connect(cmdFileOpen, &QPushButton::clicked, this, &frmMain::cmdFileOpen_Click);
    connect(cmdClearGrid, &QPushButton::clicked, this, &frmMain::cmdClearGrid_Click);
    connect(cmdSelectAll, &QPushButton::clicked, this, &frmMain::cmdSelectAll_Click);
    connect(cmdSelectNone, &QPushButton::clicked, this, &frmMain::cmdSelectNone_Click);
    connect(cmdLoadList, &QPushButton::clicked, this, &frmMain::cmdLoadList_Click);
    connect(cmdSaveList, &QPushButton::clicked, this, &frmMain::cmdSaveList_Click);
    connect(cmdUpload, &QPushButton::clicked, this, &frmMain::cmdUpload_Click);
    connect(cmdCreateFile, &QPushButton::clicked, this, &frmMain::cmdCreateFile_Click);
    connect(cmdEraseGPS, &QPushButton::clicked, this, &frmMain::cmdEraseGPS_Click);
    connect(cmdExit, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(optSureYes, &QRadioButton::clicked, this, &frmMain::optSureYes_Click);
    connect(optSureNo, &QRadioButton::clicked, this, &frmMain::optSureNo_Click);

    // A port event runs whenever its button becomes selected, by a click or by code.
    const auto onSelected = [this](QRadioButton* button, void (frmMain::*handler)()) {
        connect(button, &QRadioButton::toggled, this, [this, handler](bool selected) {
            if (selected)
                (this->*handler)();
        });
    };
    onSelected(optAuto, &frmMain::optAuto_Click);
    onSelected(optCOM, &frmMain::optCOM_Click);
    onSelected(optUSB, &frmMain::optUSB_Click);
    // A check box's event runs whenever its value changes, by a click or by code.
    connect(chkMapset, &QCheckBox::stateChanged, this, &frmMain::chkMapset_Click);
    connect(chkCreateFile, &QCheckBox::stateChanged, this, &frmMain::chkCreateFile_Click);

    connect(mnuUseSendmap1, &QAction::triggered, this, &frmMain::mnuUseSendmap1_Click);
    connect(mnuUseSendmap2, &QAction::triggered, this, &frmMain::mnuUseSendmap2_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connect(mnuID, &QAction::triggered, this, &frmMain::mnuID_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);

    // Access keys that Qt finds ambiguous come here to be resolved.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->installEventFilter(this);
    menuBar()->installEventFilter(this);
}

} // namespace mapwren
