#pragma once

class QRadioButton;

namespace mapwren {

// Sets an option button back to unselected; an exclusive group does not let
// a button be unselected otherwise. Runs no click event.
void UnselectOption(QRadioButton* option);

} // namespace mapwren
