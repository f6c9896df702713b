#pragma once

#include <vector>

class QRadioButton;

namespace mapwren {

// Sets an option button back to unselected; an exclusive group does not let
// a button be unselected otherwise. Runs no click event.
void UnselectOption(QRadioButton* option);

// Makes a group of option buttons one stop of the tab order, at its selected
// button, as on Windows; with none selected each button stays a stop.
void EnterGroupAtSelected(const std::vector<QRadioButton*>& group);

} // namespace mapwren
