#pragma once

#include <QString>

namespace mapwren {

// Shows the address in the user's web browser. Nothing is reported when no
// browser can be started: the About window simply stays as it is.
void OpenURL(const QString& iURL);

} // namespace mapwren
