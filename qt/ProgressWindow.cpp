// The progress window: widgets from the progress form's design table, Cancel
// and the close box passed to the form, its state drawn.
#include "qt/ProgressWindow.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "progress/frmProgressDesign.h"
#include "qt/DesignFont.h"
#include "qt/Text.h"
#include "qt/Twips.h"

namespace mapwren {

ProgressWindow::ProgressWindow(std::shared_ptr<frmProgress> form, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      form_(std::move(form))
{
    const FormDesign& design = frmProgressForm();
    setObjectName(QStringLiteral("frmProgress"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Px(design.width), Px(design.height));
    setFont(SansSerif825());
    for (const ControlDesign& control : frmProgressControls()) {
        QWidget* widget = nullptr;
        if (control.kind == ControlKind::ProgressBar) {
            auto* bar = new QProgressBar(this);
            bar->setRange(0, 100);
            bar->setTextVisible(false);   // the percentage is in the line below
            widget = bar;
        } else if (control.kind == ControlKind::CommandButton) {
            auto* button = new QPushButton(Text(control.caption), this);
            connect(button, &QPushButton::clicked, this, [this, name = std::string(control.name)] {
                form_->Click(name);
                Draw();
            });
            widget = button;
        } else {
            auto* label = new QLabel(this);
            label->setTextFormat(Qt::PlainText);
            widget = label;
        }
        widget->setObjectName(Text(control.name));
        widget->setGeometry(TwipsRect(control.place.left, control.place.top, control.place.width, control.place.height));
        widget->setFont(DesignFont(Text(control.font.family), control.font.points, control.font.bold));
        controls_.emplace(std::string(control.name), widget);
    }
    // Centre on centre over the main window, the keys on Cancel.
    move(mainWindow->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    Draw();
    show();
    raise();
    activateWindow();
    if (QWidget* cancel = Control("cmdCancel"))
        cancel->setFocus(Qt::ActiveWindowFocusReason);
}

QWidget* ProgressWindow::Control(std::string_view name) const
{
    const auto it = controls_.find(name);
    return it == controls_.end() ? nullptr : it->second;
}

void ProgressWindow::Draw()
{
    if (form_->Closed()) {
        if (isVisible())
            close();
        return;
    }
    setWindowTitle(Text(form_->Caption));
    for (const auto& [name, widget] : controls_) {
        const ControlState* state = form_->Control(name);
        widget->setEnabled(state->enabled);
        widget->setVisible(state->visible);
        if (auto* bar = qobject_cast<QProgressBar*>(widget)) {
            bar->setValue(state->value);
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            // A long path loses its middle, not the file's name at its end.
            const QString text = label->fontMetrics().elidedText(Text(state->text), Qt::ElideMiddle, label->width());
            if (label->text() != text)
                label->setText(text);
        }
    }
}

// The window stays until the job has ended: closing it cancels the job.
void ProgressWindow::closeEvent(QCloseEvent* event)
{
    if (form_->Closed()) {
        event->accept();
        return;
    }
    event->ignore();
    form_->Form_QueryUnload();
    Draw();
}

void ProgressWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape) {
        QWidget::keyPressEvent(event);
        return;
    }
    form_->Form_QueryUnload();
    Draw();
}

} // namespace mapwren
