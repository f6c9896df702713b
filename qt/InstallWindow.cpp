// The install window: widgets from the install form's design table, their
// events passed to the form, its state drawn.
#include "qt/InstallWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "install/frmInstallDesign.h"
#include "qt/DesignFont.h"
#include "qt/Text.h"
#include "qt/Twips.h"

namespace mapwren {

InstallWindow::InstallWindow(std::shared_ptr<frmInstall> form, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog), form_(std::move(form))
{
    const FormDesign& design = frmInstallForm();
    setObjectName(QStringLiteral("frmInstall"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(design.width), Px(design.height));
    setFont(SansSerif825());
    QLabel* labelBefore = nullptr;
    for (const ControlDesign& control : frmInstallControls()) {
        QWidget* widget = MakeControl(control);
        // A label's access key goes to the control after it, as on Windows.
        if (labelBefore && TakesFocus(control.kind)) {
            labelBefore->setBuddy(widget);
            labelBefore = nullptr;
        }
        if (control.kind == ControlKind::Label && control.caption.find('&') != std::string_view::npos)
            labelBefore = static_cast<QLabel*>(widget);
        controls_.emplace(std::string(control.name), widget);
    }
    connect(&poll_, &QTimer::timeout, this, [this] {
        form_->tmrPoll_Timer();
        After();
    });
    poll_.start(static_cast<int>(frmInstall::kPollEvery.count()));
    form_->Form_Load();
    move(mainWindow->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    Draw();
    show();
    raise();
    activateWindow();
    if (QWidget* place = Control("cboPlace"))
        place->setFocus(Qt::ActiveWindowFocusReason);
}

QWidget* InstallWindow::MakeControl(const ControlDesign& control)
{
    const std::string name(control.name);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(Text(control.caption), this);
        button->setDefault(name == "cmdInstall");
        connect(button, &QPushButton::clicked, this, [this, name] {
            form_->Click(name);
            After();
        });
        widget = button;
        break;
    }
    case ControlKind::ComboBox: {
        auto* box = new QComboBox(this);
        connect(box, &QComboBox::activated, this, [this](int index) {
            form_->cboPlace_Click(index);
            After();
        });
        widget = box;
        break;
    }
    case ControlKind::TextBox: {
        auto* line = new QLineEdit(this);
        connect(line, &QLineEdit::textEdited, this, [this](const QString& text) {
            form_->txtName_Change(text.toStdString());
            After();
        });
        widget = line;
        break;
    }
    default: {
        auto* label = new QLabel(Text(control.caption), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Only a caption with an access key reads "&" as one; a path shows it as it is.
        if (control.caption.find('&') == std::string_view::npos)
            label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    widget->setObjectName(Text(control.name));
    widget->setGeometry(TwipsRect(control.place.left, control.place.top, control.place.width, control.place.height));
    widget->setFont(DesignFont(Text(control.font.family), control.font.points, control.font.bold));
    return widget;
}

QWidget* InstallWindow::Control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void InstallWindow::After()
{
    Draw();
    if (form_->Closed())
        close();
}

void InstallWindow::Draw()
{
    setWindowTitle(Text(form_->Caption));
    for (const auto& [name, widget] : controls_) {
        const ControlState* state = form_->Control(name);
        widget->setEnabled(state->enabled);
        widget->setVisible(state->visible);
        if (auto* box = qobject_cast<QComboBox*>(widget)) {
            if (placeItems_ != form_->PlaceItems()) {
                placeItems_ = form_->PlaceItems();
                box->clear();
                for (const std::string& item : placeItems_)
                    box->addItem(Text(item));
            }
            box->setCurrentIndex(state->value);
        } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
            if (line->text() != Text(state->text))
                line->setText(Text(state->text));
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            if (label->text() != Text(state->text))
                label->setText(Text(state->text));
        }
    }
}

// Closing goes through the form, which keeps the window while maps are being written.
void InstallWindow::closeEvent(QCloseEvent* event)
{
    if (!form_->Closed())
        form_->cmdClose_Click();
    if (form_->Closed()) {
        poll_.stop();
        event->accept();
    } else {
        event->ignore();
    }
}

void InstallWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace mapwren
