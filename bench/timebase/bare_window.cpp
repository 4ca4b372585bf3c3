// kelvra-bench-bare-window [--paint]
// A plain Qt window of the recorder's size with a 20 ms timer, and nothing else. Its timer does
// nothing: the floor of any program that must wake 50 times a second with a window open. With
// --paint each tick repaints one chart-high column, 50 repaints a second, as a reference for what
// painting costs on the same display.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace {

class Window : public QWidget {
public:
    explicit Window(bool paints) : paints_(paints) { setFixedSize(902, 661); }

    void step()
    {
        if (!paints_)
            return;
        column_ = (column_ + 1) % 720;
        update(32 + column_, 24, 1, 125);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(32 + column_, 24, 1, 125, Qt::black);
    }

private:
    const bool paints_;
    int column_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window window(argc > 1 && std::strcmp(argv[1], "--paint") == 0);
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &window, &Window::step);
    timer.start(20);
    return QApplication::exec();
}
