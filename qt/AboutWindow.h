#pragma once

#include <QWidget>

#include "about/frmAbout.h"
#include "qt/QtDesktop.h"

class QKeyEvent;

namespace mapwren {

// The About form on screen: widgets built from its design table, Qt's events
// passed to its handlers, its state drawn after each of them. Closing deletes
// the window, so each opening starts afresh.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    // The main window's About command: one About window per main window, made
    // on first use, a child window of the main window (so it closes and goes
    // with it), centred over it and shown without blocking it.
    static AboutWindow* ShowCentredOver(QWidget* mainWindow);

    explicit AboutWindow(QWidget* parent = nullptr);

    const frmAbout& Form() const { return form_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CentreOver(const QWidget* mainWindow);
    void KeyDown(const QKeyEvent* event);
    void Draw();

    QtDesktop desktop_{this};
    frmAbout form_{desktop_};
    bool closed_ = false;   // closed and waiting to be deleted
};

} // namespace mapwren
