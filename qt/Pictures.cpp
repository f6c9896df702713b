#include "qt/Pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace mapwren {

QPixmap RenderPicture(const QString& resource, QSize logicalSize)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    QPixmap pixmap(logicalSize * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
    return pixmap;
}

QIcon ProgramIcon()
{
    return QIcon(RenderPicture(QStringLiteral(":/icon.svg"), QSize(64, 64)));
}

} // namespace mapwren
