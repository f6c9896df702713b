#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QKeyEvent;

namespace mapwren {

// The About window: a borderless pale yellow sheet with the program's name,
// version, author and addresses. A click on it or a key closes it; a press on
// the homepage address opens it in the browser; a press on the e-mail address
// selects it for copying. Closing deletes it, so each opening starts afresh.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    // The main window's About command: one About window per main window, made
    // on first use, a child window of the main window (so it closes and goes
    // with it), centred over it and shown without blocking it.
    static frmAbout* ShowCentredOver(QWidget* mainWindow);

    explicit frmAbout(QWidget* parent = nullptr);

    // Controls, in the design's names.
    QLabel* picIcon = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtURL = nullptr;
    QLineEdit* txtEmail = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateControls();
    void SetTabOrder();
    void WatchControls();
    void CentreOver(const QWidget* mainWindow);

    void txtURL_MouseDown();
    void txtEmail_MouseDown();
    bool KeyCloses(QObject* watched, const QKeyEvent* event) const;

    bool closed_ = false;   // closed and waiting to be deleted
};

} // namespace mapwren
