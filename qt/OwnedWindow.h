#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "forms/ControlDesign.h"
#include "forms/ControlState.h"
#include "qt/Text.h"

class QLabel;

namespace mapwren {

// A form's window over the main window, built from the form's design table,
// that does not block it: its widgets made in the design's tab order, centred
// over the main window. A click of a command button goes to the form by the
// control's name, a choice in a combo box and an edit of a text box by their
// kind; Escape and the close box both ask the form to close. The form's
// state is drawn by each control's kind after every event, and the window
// closes once the form has.
class OwnedWindow : public QWidget {
public:
    QWidget* Control(std::string_view name) const;
    virtual void Draw() = 0;

protected:
    // Where the windows made this way differ.
    struct Look {
        std::string_view defaultButton = {};   // the button drawn as the one Enter presses; none for none
        bool shortenPaths = false;             // a label too narrow for its path loses the path's middle
    };

    template <class Designs>
    OwnedWindow(QWidget* mainWindow, Qt::WindowFlags flags, const QString& name, const FormDesign& form,
                const Designs& designs, Look look)
        : OwnedWindow(mainWindow, flags, name, form, look)
    {
        QLabel* labelBefore = nullptr;
        for (const ControlDesign& design : designs)
            AddControl(design, labelBefore);
    }

    // Centre on centre over the main window, shown and active, the keys on
    // the first control in tab order that takes them.
    void ShowOver(QWidget* mainWindow);

    // The form's caption and each control's state; false, and the window
    // closed, once the form has closed.
    template <class Form>
    bool DrawForm(Form& form)
    {
        if (form.Closed()) {
            if (isVisible())
                close();
            return false;
        }
        setWindowTitle(Text(form.Caption));
        for (const Child& child : children_)
            DrawState(child, *form.Control(child.design->name));
        return true;
    }

    virtual void Clicked(std::string_view name) = 0;
    virtual void CloseAsked() = 0;
    virtual bool FormClosed() const = 0;
    virtual void Chosen(int /*index*/) {}
    virtual void Edited(const std::string& /*text*/) {}

    // Closing goes through the form, which may keep the window.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Child {
        const ControlDesign* design;
        QWidget* widget;
    };

    OwnedWindow(QWidget* mainWindow, Qt::WindowFlags flags, const QString& name, const FormDesign& form, Look look);
    void AddControl(const ControlDesign& design, QLabel*& labelBefore);
    void DrawState(const Child& child, const ControlState& state) const;

    std::vector<Child> children_;
    Look look_;
    QPointer<QWidget> before_;   // the window active when this one opened
};

} // namespace mapwren
