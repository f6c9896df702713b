#pragma once

#include <algorithm>
#include <ranges>
#include <span>
#include <string_view>
#include <vector>

#include "forms/ControlDesign.h"
#include "forms/ControlState.h"

// A form's design table as the one list of its controls: each row holds a
// control's design, the form's member that keeps its state and the handler
// its click runs. The form finds both from the row; the front-ends read the
// designs alone.
namespace mapwren {

template <class Form>
struct ControlRow {
    ControlDesign design;
    ControlState Form::*state = nullptr;   // none for a control the form's code never names: the form keeps it
    void (Form::*click)() = nullptr;       // none for a control whose click does nothing of its own
};

template <class Form>
struct MenuRow {
    MenuDesign design;
    MenuState Form::*state = nullptr;   // none for an item that opens a menu
    void (Form::*click)() = nullptr;
};

// The designs of a table's rows, in its order.
template <class Row>
auto Designs(std::span<const Row> rows)
{
    return rows | std::views::transform(&Row::design);
}

// The row of the control or menu item by its design name; null for none.
template <class Row>
const Row* FindRow(std::span<const Row> rows, std::string_view name)
{
    const auto row = std::ranges::find(rows, name, [](const Row& r) { return r.design.name; });
    return row == rows.end() ? nullptr : &*row;
}

// The state of each of a form's controls: the row's member where it names
// one, else one kept here for the row, so that a control the form's code
// never names needs its design row alone.
template <class Form>
class ControlStates {
public:
    explicit ControlStates(std::span<const ControlRow<Form>> rows) : rows_(rows), unnamed_(rows.size()) {}

    // Every control as its design starts it.
    void Start(Form& form)
    {
        for (const ControlRow<Form>& row : rows_)
            *Of(form, row) = InitialState(row.design);
    }
    ControlState* Of(Form& form, const ControlRow<Form>& row)
    {
        return row.state ? &(form.*row.state) : &unnamed_[static_cast<std::size_t>(&row - rows_.data())];
    }
    // Null for a name no row has.
    ControlState* Find(Form& form, std::string_view name)
    {
        const ControlRow<Form>* row = FindRow(rows_, name);
        return row ? Of(form, *row) : nullptr;
    }
    // Runs the handler of a click on the control by its design name, but
    // only while the control can be clicked: a greyed or hidden button does
    // nothing, whatever key or event reached it.
    void Click(Form& form, std::string_view name)
    {
        const ControlRow<Form>* row = FindRow(rows_, name);
        if (!row || !row->click)
            return;
        if (const ControlState* state = Of(form, *row); state->enabled && state->visible)
            (form.*row->click)();
    }

private:
    std::span<const ControlRow<Form>> rows_;
    std::vector<ControlState> unnamed_;   // by row
};

} // namespace mapwren
