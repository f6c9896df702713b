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

} // namespace mapwren
