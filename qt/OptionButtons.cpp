#include "qt/OptionButtons.h"

#include <QRadioButton>

namespace mapwren {

void UnselectOption(QRadioButton* option)
{
    if (!option->isChecked())
        return;
    option->setAutoExclusive(false);
    option->setChecked(false);
    option->setAutoExclusive(true);
}

void EnterGroupAtSelected(const std::vector<QRadioButton*>& group)
{
    const auto placeStop = [group] {
        QRadioButton* selected = nullptr;
        for (QRadioButton* option : group) {
            if (option->isChecked())
                selected = option;
        }
        for (QRadioButton* option : group)
            option->setFocusPolicy(!selected || option == selected ? Qt::StrongFocus : Qt::ClickFocus);
    };
    for (QRadioButton* option : group)
        QObject::connect(option, &QRadioButton::toggled, option, placeStop);
    placeStop();
}

} // namespace mapwren
