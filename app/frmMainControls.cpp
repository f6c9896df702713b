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
#include "app/frmMainDesign.h"
#include "app/OptionButtons.h"
#include "app/Palette.h"
#include "app/Pictures.h"
#include "app/Twips.h"
#include "app/frmMain.h"

namespace mapwren {

namespace {

QColor TextColourOf(TextColour colour)
{
    switch (colour) {
    case TextColour::Black: return QColor(0, 0, 0);
    case TextColour::Red: return kRed;
    case TextColour::Blue: return kBlue;
    case TextColour::Green: return QColor(0, 128, 0);
    case TextColour::System: break;
    }
    return {};
}

void SetTextColour(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QWidget* MakeWidget(ControlKind kind, QWidget* parent)
{
    switch (kind) {
    case ControlKind::CommandButton:
    case ControlKind::PictureButton: return new QPushButton(parent);
    case ControlKind::Frame: return new QGroupBox(parent);
    case ControlKind::OptionButton: return new QRadioButton(parent);
    case ControlKind::CheckBox: return new QCheckBox(parent);
    case ControlKind::ComboBox: return new QComboBox(parent);
    case ControlKind::TextBox: return new QLineEdit(parent);
    case ControlKind::Label:
    case ControlKind::PictureBox: return new QLabel(parent);
    case ControlKind::Grid: return new QTableView(parent);
    }
    return new QWidget(parent);
}

// A label's text sits at its top, as the design's labels draw it; in a box
// lower than a line it is centred so that what is cut is cut evenly.
Qt::Alignment LabelAlignment(const ControlDesign& design, const QLabel* label)
{
    const Qt::Alignment vertical =
        label->height() < label->fontMetrics().height() ? Qt::AlignVCenter : Qt::AlignTop;
    switch (design.align) {
    case TextAlign::Right: return Qt::AlignRight | vertical;
    case TextAlign::Centre: return Qt::AlignCenter;
    case TextAlign::Left: break;
    }
    return Qt::AlignLeft | vertical;
}

QString Text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Makes one control as designed: place, caption, tooltip, font, colours,
// picture and initial state.
QWidget* MakeControl(const ControlDesign& design, QWidget* parent)
{
    QWidget* widget = MakeWidget(design.kind, parent);
    widget->setObjectName(Text(design.name));
    widget->setGeometry(TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
    widget->setFont(DesignFont(Text(design.font.family), design.font.points, design.font.bold));
    widget->setToolTip(Text(design.tooltip));
    const QPixmap picture =
        design.picture.empty()
            ? QPixmap()
            : RenderPicture(QStringLiteral(":/%1.svg").arg(Text(design.picture)),
                            QSize(design.pictureWidth, design.pictureHeight));
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(Text(design.caption));
        button->setChecked(design.selected);
        if (!picture.isNull()) {
            button->setIcon(QIcon(picture));
            button->setIconSize(picture.deviceIndependentSize().toSize());
        }
    } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        frame->setTitle(Text(design.caption));
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(Text(design.caption));
        label->setAlignment(LabelAlignment(design, label));
        if (!picture.isNull())
            label->setPixmap(picture);
    }
    if (design.colour != TextColour::System)
        SetTextColour(widget, TextColourOf(design.colour));
    widget->setEnabled(design.enabled);
    widget->setVisible(design.visible);
    return widget;
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

template <class W>
void Bind(W*& control, const QWidget* window, const char* name)
{
    control = window->findChild<W*>(QLatin1String(name));
}

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
    setFixedSize(Px(kMainClientWidth), Px(kMainClientHeight) + menuBar()->sizeHint().height());
}

frmMain::~frmMain() = default;

void frmMain::CreateControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(kMainClientWidth), Px(kMainClientHeight));
    setCentralWidget(client);

    std::map<std::string_view, QWidget*> containers{{"", client}};
    for (const ControlDesign& design : frmMainControls())
        containers[design.name] = MakeControl(design, containers.at(design.container));
    BindControls();

    for (std::string_view port : ComPortNames())
        cboCOM->addItem(Text(port));
    cboCOM->setCurrentIndex(-1);   // no text until start-up sets it
    cboCOM->setStyle(new SlimArrowStyle(cboCOM));
    SetMapsetBoxEnabled(false);
    CreateGrid();
    lblProcessing->stackUnder(MSFlexGrid1);
}

void frmMain::BindControls()
{
    Bind(cmdFileOpen, this, "cmdFileOpen");
    Bind(Frame1, this, "Frame1");
    Bind(optAuto, this, "optAuto");
    Bind(optCOM, this, "optCOM");
    Bind(cboCOM, this, "cboCOM");
    Bind(optUSB, this, "optUSB");
    Bind(fmeSpeed, this, "fmeSpeed");
    Bind(opt9600, this, "opt9600");
    Bind(opt19200, this, "opt19200");
    Bind(opt38400, this, "opt38400");
    Bind(opt57600, this, "opt57600");
    Bind(opt115200, this, "opt115200");
    Bind(lbl9600, this, "lbl9600");
    Bind(lbl19200, this, "lbl19200");
    Bind(lbl38400, this, "lbl38400");
    Bind(lbl57600, this, "lbl57600");
    Bind(lbl115200, this, "lbl115200");
    Bind(picUnchecked, this, "picUnchecked");
    Bind(picChecked, this, "picChecked");
    Bind(picNoFileExist, this, "picNoFileExist");
    Bind(MSFlexGrid1, this, "MSFlexGrid1");
    Bind(lblProcessing, this, "lblProcessing");
    Bind(lblTotalBytes, this, "lblTotalBytes");
    Bind(lblFilesSelected, this, "lblFilesSelected");
    Bind(fmeMapset, this, "fmeMapset");
    Bind(chkMapset, this, "chkMapset");
    Bind(lblEnterMapset, this, "lblEnterMapset");
    Bind(txtMapset, this, "txtMapset");
    Bind(fmeList, this, "fmeList");
    Bind(cmdSelectAll, this, "cmdSelectAll");
    Bind(cmdSelectNone, this, "cmdSelectNone");
    Bind(cmdClearGrid, this, "cmdClearGrid");
    Bind(cmdLoadList, this, "cmdLoadList");
    Bind(cmdSaveList, this, "cmdSaveList");
    Bind(cmdEraseGPS, this, "cmdEraseGPS");
    Bind(lblAreYouSure, this, "lblAreYouSure");
    Bind(optSureYes, this, "optSureYes");
    Bind(optSureNo, this, "optSureNo");
    Bind(chkCreateFile, this, "chkCreateFile");
    Bind(cmdUpload, this, "cmdUpload");
    Bind(cmdCreateFile, this, "cmdCreateFile");
    Bind(cmdExit, this, "cmdExit");
}

void frmMain::CreateGrid()
{
    model_ = new MapListModel(mapList_, {picUnchecked->pixmap(), picChecked->pixmap(), picNoFileExist->pixmap()}, this);
    MSFlexGrid1->setModel(model_);
    MSFlexGrid1->setItemDelegate(new GridDelegate(MSFlexGrid1));
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setAutoScroll(false);   // moving the current cell does not scroll, as in the grid we follow
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setTextElideMode(Qt::ElideNone);
    MSFlexGrid1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    MSFlexGrid1->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);   // whole rows, never half a row
    MSFlexGrid1->setTabKeyNavigation(false);   // one stop of the tab order, as a grid is

    QPalette palette = MSFlexGrid1->palette();
    palette.setColor(QPalette::Base, QColor(kGridBeyondRows.red, kGridBeyondRows.green, kGridBeyondRows.blue));
    MSFlexGrid1->setPalette(palette);

    QHeaderView* rows = MSFlexGrid1->verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(Px(kGridRowHeight));

    QHeaderView* header = MSFlexGrid1->horizontalHeader();
    header->setSectionsClickable(false);
    header->setSectionsMovable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setFixedHeight(Px(kGridRowHeight));

    MSFlexGrid1->viewport()->installEventFilter(this);
    header->viewport()->installEventFilter(this);
}

void frmMain::CreateMenus()
{
    std::map<std::string_view, QMenu*> menus;
    for (const MenuDesign& design : frmMainMenus()) {
        QAction* item = nullptr;
        if (design.parent.empty() && design.name == "File") {
            QMenu* menu = menuBar()->addMenu(Text(design.caption));
            menu->setObjectName(Text(design.name));
            menus[design.name] = menu;
            item = menu->menuAction();
        } else {
            item = design.parent.empty() ? menuBar()->addAction(Text(design.caption))
                                         : menus.at(design.parent)->addAction(Text(design.caption));
        }
        item->setObjectName(Text(design.name));
        item->setEnabled(design.enabled);
        if (!design.shortcut.empty())
            item->setShortcut(QKeySequence(Text(design.shortcut)));
    }
    File = menus.at("File");
    mnuUseSendmap1 = findChild<QAction*>(QStringLiteral("mnuUseSendmap1"));
    mnuUseSendmap2 = findChild<QAction*>(QStringLiteral("mnuUseSendmap2"));
    mnuExit = findChild<QAction*>(QStringLiteral("mnuExit"));
    mnuID = findChild<QAction*>(QStringLiteral("mnuID"));
    mnuAbout = findChild<QAction*>(QStringLiteral("mnuAbout"));
    // The tool variant in use carries the check mark.
    mnuUseSendmap1->setCheckable(true);
    mnuUseSendmap2->setCheckable(true);
}

// The keyboard order of the design; controls that take no focus (frames,
// labels, picture boxes) hold numbers in it too and are left out here.
void frmMain::SetTabOrder()
{
    std::map<int, QWidget*> order;
    for (const ControlDesign& design : frmMainControls()) {
        if (design.kind != ControlKind::Frame && design.kind != ControlKind::Label &&
            design.kind != ControlKind::PictureBox)
            order[design.tab] = findChild<QWidget*>(Text(design.name));
    }
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
