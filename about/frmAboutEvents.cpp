// What the About window does: opening over the main window, closing on a
// click or a key, and the presses on its two addresses.
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "about/OpenURL.h"
#include "about/frmAbout.h"
#include "common/Addresses.h"

namespace mapwren {

namespace {

bool IsModifier(int key)
{
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return true;
    default:
        return false;
    }
}

} // namespace

frmAbout* frmAbout::ShowCentredOver(QWidget* mainWindow)
{
    frmAbout* about = nullptr;
    for (frmAbout* open : mainWindow->findChildren<frmAbout*>(Qt::FindDirectChildrenOnly)) {
        if (!open->closed_)
            about = open;
    }
    if (!about)
        about = new frmAbout(mainWindow);
    about->CentreOver(mainWindow);
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

// Centre on centre, the main window measured with its frame.
void frmAbout::CentreOver(const QWidget* mainWindow)
{
    const QRectF main = mainWindow->frameGeometry();
    const QSizeF own = frameGeometry().size();
    move(qRound(main.left() + main.width() / 2 - own.width() / 2),
         qRound(main.top() + main.height() / 2 - own.height() / 2));
}

void frmAbout::WatchControls()
{
    for (QWidget* control : findChildren<QWidget*>())
        control->installEventFilter(this);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event)
{
    const bool address = watched == txtURL || watched == txtEmail;
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // The window system's second press of a double click: the homepage
        // opened at the first one.
        if (watched == txtEmail)
            txtEmail_MouseDown();
        return address;
    case QEvent::MouseButtonPress:
        if (watched == txtURL)
            txtURL_MouseDown();
        else if (watched == txtEmail)
            txtEmail_MouseDown();
        return address;
    case QEvent::MouseMove:
        // A drag would narrow the whole selection the press made.
        return address;
    case QEvent::KeyPress:
        if (KeyCloses(watched, static_cast<QKeyEvent*>(event))) {
            close();
            return true;
        }
        return false;
    default:
        return QWidget::eventFilter(watched, event);
    }
}

void frmAbout::txtURL_MouseDown()
{
    OpenURL(QString::fromUtf8(kHomepage));
}

void frmAbout::txtEmail_MouseDown()
{
    txtEmail->setFocus(Qt::MouseFocusReason);
    txtEmail->setSelection(0, int(txtEmail->text().length()));
}

// Every key closes the window, wherever the focus is, except a modifier held
// on its own and the copy keys in an address box, which copy its selection.
bool frmAbout::KeyCloses(QObject* watched, const QKeyEvent* event) const
{
    if (IsModifier(event->key()))
        return false;
    const bool address = watched == txtURL || watched == txtEmail;
    return !(address && event->matches(QKeySequence::Copy));
}

// Presses on the labels and the icon reach the window too, as they do not
// take mouse presses themselves; the address boxes keep theirs.
void frmAbout::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        close();
}

void frmAbout::keyPressEvent(QKeyEvent* event)
{
    if (KeyCloses(this, event))
        close();
}

void frmAbout::closeEvent(QCloseEvent* event)
{
    closed_ = true;
    event->accept();
}

} // namespace mapwren
