// A drag source for the real-input tests: a small window which, when pressed,
// drags the files and folders named on its command line, as a file manager
// would (their addresses, and the same as text), then ends a little later.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

namespace {

class DragSource : public QLabel {
public:
    explicit DragSource(QList<QUrl> urls) : QLabel(QStringLiteral("drag me")), urls_(std::move(urls))
    {
        setWindowTitle(QStringLiteral("drag source"));
        setFixedSize(120, 60);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        data->setUrls(urls_);
        QStringList lines;
        for (const QUrl& url : urls_)
            lines << url.toString();
        data->setText(lines.join(QLatin1Char('\n')));
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
        // The target asks for the data after the drop: stay to answer it.
        QTimer::singleShot(5000, qApp, &QApplication::quit);
    }

private:
    QList<QUrl> urls_;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (const QString& path : QApplication::arguments().mid(1))
        urls << QUrl::fromLocalFile(path);
    DragSource source(urls);
    source.move(0, 0);
    source.show();
    return app.exec();
}
