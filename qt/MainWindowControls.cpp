// The main window's controls, built from the form's design table, its menus,
// tab order and access keys, and the events they forward to the form.
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

#include "qt/DesignFont.h"
#include "qt/GridDelegate.h"
#include "qt/Input.h"
#include "qt/MapListModel.h"
#include "app/frmMainDesign.h"
#include "qt/OptionButtons.h"
#include "qt/Palette.h"
#include "qt/Pictures.h"
#include "qt/Text.h"
#include "qt/Twips.h"
#include "qt/MainWindow.h"

namespace mapwren {

namespace {

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
    case ControlKind::ProgressBar: break;   // the progress window's own
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

// Makes one control as designed: place, caption, font, colours,
// picture and initial state.
QWidget* MakeControl(const ControlDesign& design, QWidget* parent)
{
    QWidget* widget = MakeWidget(design.kind, parent);
    widget->setObjectName(Text(design.name));
    widget->setGeometry(TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
    SetDesignFont(widget, design.font);
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
    FitCaption(widget);
    if (design.colour != TextColour::System)
        SetTextColour(widget, DesignColour(design.colour));
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

} // namespace

MainWindow::MainWindow(std::string programFolder, std::string argumentText, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      desktop_(this, [this] { Draw(); }, [this] { ShowTileMap(); }),
      form_(desktop_, std::move(programFolder), std::move(argumentText))
{
    setObjectName(QStringLiteral("frmMain"));
    setFont(SansSerif825());
    setWindowIcon(ProgramIcon());
    CreateControls();
    CreateMenus();
    ConnectEvents();
    setFixedSize(Px(kMainClientWidth), Px(kMainClientHeight) + menuBar()->sizeHint().height());
    // A drop anywhere, the mapset box too, is the window's.
    for (QWidget* child : findChildren<QWidget*>())
        child->setAcceptDrops(false);
    setAcceptDrops(true);
    Draw();
}

// The form and the desktop are members, gone before QWidget deletes the
// children: so the form outlives every child that refers to it, the windows
// over it (tile map, About), the controls and the grid, and the grid's model
// go here first.
MainWindow::~MainWindow()
{
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow())
            delete child;
    }
    delete takeCentralWidget();
    delete model_;
}

QWidget* MainWindow::Widget(std::string_view name) const
{
    const auto it = widgets_.find(name);
    return it == widgets_.end() ? nullptr : it->second;
}

QAction* MainWindow::MenuItem(std::string_view name) const
{
    const auto it = menuItems_.find(name);
    return it == menuItems_.end() ? nullptr : it->second;
}

void MainWindow::CreateControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(Px(kMainClientWidth), Px(kMainClientHeight));
    setCentralWidget(client);

    std::map<std::string_view, QWidget*> containers{{"", client}};
    for (const ControlDesign& design : frmMainControls()) {
        QWidget* control = MakeControl(design, containers.at(design.container));
        containers[design.name] = control;
        widgets_.emplace(std::string(design.name), control);
    }
    auto* cboCOM = static_cast<QComboBox*>(Widget("cboCOM"));
    for (std::string_view port : ComPortNames())
        cboCOM->addItem(Text(port));
    cboCOM->setStyle(new SlimArrowStyle(cboCOM));
    CreateGrid();
    Widget("lblProcessing")->stackUnder(grid_);
}

void MainWindow::CreateGrid()
{
    const auto picture = [this](const char* name) { return static_cast<QLabel*>(Widget(name))->pixmap(); };
    grid_ = static_cast<QTableView*>(Widget("MSFlexGrid1"));
    QTableView* MSFlexGrid1 = grid_;
    model_ = new MapListModel(form_.Maps(), {picture("picUnchecked"), picture("picChecked"), picture("picNoFileExist")},
                              this);
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
    MSFlexGrid1->installEventFilter(this);
}

void MainWindow::CreateMenus()
{
    std::map<std::string_view, QMenu*> menus;
    for (const MenuDesign& design : frmMainMenus()) {
        QAction* item = nullptr;
        if (OpensMenu(frmMainMenus(), design.name)) {
            QMenu* menu = design.parent.empty() ? menuBar()->addMenu(Text(design.caption))
                                                : menus.at(design.parent)->addMenu(Text(design.caption));
            menu->setObjectName(Text(design.name));
            menus[design.name] = menu;
            item = menu->menuAction();
        } else {
            item = design.parent.empty() ? menuBar()->addAction(Text(design.caption))
                                         : menus.at(design.parent)->addAction(Text(design.caption));
        }
        item->setObjectName(Text(design.name));
        item->setCheckable(design.checkable);
        if (!design.shortcut.empty())
            item->setShortcut(QKeySequence(Text(design.shortcut)));
        menuItems_.emplace(std::string(design.name), item);
    }
}

// Tab and Shift+Tab go where the form's tab order says, the same rule as on
// Windows: Qt's own chain would pass over controls whose place in it moved
// when one of two buttons sharing a place was hidden.
bool MainWindow::focusNextPrevChild(bool next)
{
    const std::string target = form_.NextInTabOrder(FocusedControl(), !next);
    if (target.empty())
        return QMainWindow::focusNextPrevChild(next);
    Widget(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// Alt with a letter acts at once, as on Windows: it presses the control the
// form picks for it (where the design gives a letter to several, Qt would
// only move the focus between them); with none, the menu bar's item of that
// letter opens.
void MainWindow::ActOnAccessKey(const QKeySequence& key)
{
    const int code = KeyCode(key[0].key());
    const std::string name = code > 0 && code < 0x80 ? form_.AccessKeyControl(static_cast<char>(code)) : "";
    if (auto* button = qobject_cast<QAbstractButton*>(Widget(name))) {
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
        return;
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

// Each control forwards its user's actions to the form by its design name;
// what a control does on its own (Qt checks a clicked box) the drawing after
// the event brings back in line with the form.
void MainWindow::ConnectEvents()
{
    for (const ControlDesign& design : frmMainControls()) {
        const std::string name(design.name);
        QWidget* control = Widget(name);
        if (auto* button = qobject_cast<QAbstractButton*>(control))
            connect(button, &QAbstractButton::clicked, this, [this, name] { Forward([&] { form_.Click(name); }); });
        else if (auto* box = qobject_cast<QLineEdit*>(control))
            connect(box, &QLineEdit::textEdited, this,
                    [this, name](const QString& text) { form_.TextChanged(name, text.toStdString()); });
        else if (auto* list = qobject_cast<QComboBox*>(control))
            connect(list, &QComboBox::textActivated, this,
                    [this, name](const QString& text) { form_.TextChanged(name, text.toStdString()); });
    }
    for (const auto& [name, item] : menuItems_) {
        if (!item->menu())
            connect(item, &QAction::triggered, this, [this, name = name] { Forward([&] { form_.MenuClick(name); }); });
    }
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        // The keyboard moves the current cell too.
        if (current.isValid() && !drawing_)
            form_.SetCurrentCell(current.row() + 1, current.column());
    });

    // Access keys come here to act at once, shared ones included.
    for (QAbstractButton* button : findChildren<QAbstractButton*>())
        button->installEventFilter(this);
    menuBar()->installEventFilter(this);
}

} // namespace mapwren
