// A form's window over the main window: widgets from the form's design table,
// their events passed to the form, its state drawn.
#include "qt/OwnedWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include "qt/DesignFont.h"
#include "qt/Twips.h"

namespace mapwren {

OwnedWindow::OwnedWindow(QWidget* mainWindow, Qt::WindowFlags flags, const QString& name, const FormDesign& form,
                         Look look)
    : QWidget(mainWindow, flags), look_(look), before_(QApplication::activeWindow())
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(form.width), Px(form.height));
    setFont(SansSerif825());
}

void OwnedWindow::AddControl(const ControlDesign& design, QLabel*& labelBefore)
{
    const std::string name(design.name);
    QWidget* widget = nullptr;
    switch (design.kind) {
    case ControlKind::CommandButton: {
        auto* button = new QPushButton(Text(design.caption), this);
        button->setDefault(design.name == look_.defaultButton);
        connect(button, &QPushButton::clicked, this, [this, name] {
            Clicked(name);
            Draw();
        });
        widget = button;
        break;
    }
    case ControlKind::ComboBox: {
        auto* box = new QComboBox(this);
        connect(box, &QComboBox::activated, this, [this](int index) {
            Chosen(index);
            Draw();
        });
        widget = box;
        break;
    }
    case ControlKind::TextBox: {
        auto* line = new QLineEdit(this);
        connect(line, &QLineEdit::textEdited, this, [this](const QString& text) {
            Edited(text.toStdString());
            Draw();
        });
        widget = line;
        break;
    }
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 100);
        bar->setTextVisible(false);   // the percentage is the form's to say
        widget = bar;
        break;
    }
    default: {
        auto* label = new QLabel(Text(design.caption), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // Only a caption with an access key reads "&" as one; a path shows it as it is.
        if (design.caption.find('&') == std::string_view::npos)
            label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    // A label's access key goes to the control after it, as on Windows.
    if (labelBefore && TakesFocus(design.kind)) {
        labelBefore->setBuddy(widget);
        labelBefore = nullptr;
    }
    if (design.kind == ControlKind::Label && design.caption.find('&') != std::string_view::npos)
        labelBefore = static_cast<QLabel*>(widget);
    widget->setObjectName(Text(design.name));
    widget->setGeometry(TwipsRect(design.place.left, design.place.top, design.place.width, design.place.height));
    widget->setFont(DesignFont(Text(design.font.family), design.font.points, design.font.bold));
    children_.push_back({&design, widget});
}

QWidget* OwnedWindow::Control(std::string_view name) const
{
    for (const Child& child : children_) {
        if (child.design->name == name)
            return child.widget;
    }
    return nullptr;
}

void OwnedWindow::ShowOver(QWidget* mainWindow)
{
    move(mainWindow->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    Draw();
    show();
    raise();
    activateWindow();
    for (const Child& child : children_) {
        if (TakesFocus(child.design->kind)) {
            child.widget->setFocus(Qt::ActiveWindowFocusReason);
            break;
        }
    }
}

void OwnedWindow::DrawState(const Child& child, const ControlState& state) const
{
    QWidget* widget = child.widget;
    widget->setEnabled(state.enabled);
    widget->setVisible(state.visible);
    switch (child.design->kind) {
    case ControlKind::ComboBox: static_cast<QComboBox*>(widget)->setCurrentIndex(state.value); break;
    case ControlKind::ProgressBar: static_cast<QProgressBar*>(widget)->setValue(state.value); break;
    case ControlKind::TextBox:
        if (auto* line = static_cast<QLineEdit*>(widget); line->text() != Text(state.text))
            line->setText(Text(state.text));
        break;
    case ControlKind::CommandButton: break;
    default: {
        auto* label = static_cast<QLabel*>(widget);
        const QString text = look_.shortenPaths
                                 ? label->fontMetrics().elidedText(Text(state.text), Qt::ElideMiddle, label->width())
                                 : Text(state.text);
        if (label->text() != text)
            label->setText(text);
    }
    }
}

void OwnedWindow::closeEvent(QCloseEvent* event)
{
    if (!FormClosed())
        CloseAsked();
    if (FormClosed()) {
        // The window the user came from takes the keys again, not whichever the system picks.
        if (before_ && isActiveWindow()) {
            before_->raise();
            before_->activateWindow();
        }
        event->accept();
        return;
    }
    event->ignore();
    Draw();
}

void OwnedWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

} // namespace mapwren
