#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace mapwren {

// Renders one of the program's SVG pictures at its logical size, sharp on
// dense screens; a null pixmap when the picture is missing.
QPixmap RenderPicture(const QString& resource, QSize logicalSize);

// The program's icon, shared by every window.
QIcon ProgramIcon();

} // namespace mapwren
