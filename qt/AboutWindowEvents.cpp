// The About window's events, passed to the form, and its state drawn.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

#include "qt/AboutWindow.h"
#include "qt/Input.h"

namespace mapwren {

namespace {

std::string Name(const QObject* control) { return control->objectName().toStdString(); }

} // namespace

AboutWindow* AboutWindow::ShowCentredOver(QWidget* mainWindow)
{
    AboutWindow* about = nullptr;
    for (AboutWindow* open : mainWindow->findChildren<AboutWindow*>(Qt::FindDirectChildrenOnly)) {
        if (!open->closed_)
            about = open;
    }
    if (!about)
        about = new AboutWindow(mainWindow);
    about->CentreOver(mainWindow);
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

// Centre on centre, the main window measured with its frame.
void AboutWindow::CentreOver(const QWidget* mainWindow)
{
    const QRectF main = mainWindow->frameGeometry();
    const QSizeF own = frameGeometry().size();
    move(qRound(main.left() + main.width() / 2 - own.width() / 2),
         qRound(main.top() + main.height() / 2 - own.height() / 2));
}

// The address boxes' presses go to the form only, so the box itself neither
// moves the caret nor narrows the selection by a drag. Presses on the labels
// and the icon go on to the window, whose release makes the click.
bool AboutWindow::eventFilter(QObject* watched, QEvent* event)
{
    const bool address = qobject_cast<QLineEdit*>(watched);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        form_.MouseDown(Name(watched), ButtonCode(static_cast<QMouseEvent*>(event)->button()),
                        event->type() == QEvent::MouseButtonDblClick);
        Draw();
        return address;
    case QEvent::MouseMove:
        return address;
    case QEvent::KeyPress:
        // Taken before Tab moves the focus; a key that keeps the window, such
        // as Ctrl+C, goes on to its address box only.
        KeyDown(static_cast<QKeyEvent*>(event));
        return form_.Closed() || !address;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void AboutWindow::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (!rect().contains(at))
        return;
    const QWidget* control = childAt(at);
    form_.Click(control ? Name(control) : std::string(), ButtonCode(event->button()));
    Draw();
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    KeyDown(event);
}

void AboutWindow::KeyDown(const QKeyEvent* event)
{
    form_.Form_KeyDown(KeyCode(event->key()), ShiftMask(event->modifiers()));
    Draw();
}

void AboutWindow::Draw()
{
    if (form_.Closed()) {
        close();
        return;
    }
    const QString active = QString::fromUtf8(form_.ActiveControl().data(), qsizetype(form_.ActiveControl().size()));
    if (auto* control = findChild<QWidget*>(active); control && !control->hasFocus())
        control->setFocus(Qt::MouseFocusReason);
    const frmAbout::Selection selection = form_.txtEmailSelection();
    if (selection.length > 0)
        findChild<QLineEdit*>(QStringLiteral("txtEmail"))->setSelection(selection.start, selection.length);
}

void AboutWindow::closeEvent(QCloseEvent* event)
{
    closed_ = true;
    event->accept();
}

} // namespace mapwren
