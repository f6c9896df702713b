#include "about/OpenURL.h"

#include <QDesktopServices>
#include <QUrl>

namespace mapwren {

void OpenURL(const QString& iURL)
{
    QDesktopServices::openUrl(QUrl(iURL));
}

} // namespace mapwren
