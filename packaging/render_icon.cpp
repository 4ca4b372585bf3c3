// Renders the SVG icon to a square PNG through Qt's own SVG image plugin.
// Usage: kelvra-render-icon SVG SIZE PNG
#include <QGuiApplication>
#include <QImageReader>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    bool sizeOk = false;
    const int size = args.size() == 4 ? args[2].toInt(&sizeOk) : 0;
    if (!sizeOk || size <= 0) {
        err << "usage: kelvra-render-icon SVG SIZE PNG\n";
        return 2;
    }
    QImageReader reader(args[1]);
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read();
    if (image.isNull()) {
        err << args[1] << ": " << reader.errorString() << '\n';
        return 1;
    }
    if (!image.save(args[3], "PNG")) {
        err << args[3] << ": cannot write\n";
        return 1;
    }
    return 0;
}
