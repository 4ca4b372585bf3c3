// kelvra-bench-bare-window
// The machine's floor for a window like the recorder's: a plain Qt window of the same size whose
// 20 ms timer repaints one chart-high column per tick, and nothing else. Its CPU share beside the
// recorder's shows how much of the recorder's share any Qt window with such a timer costs here.

#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

class Window : public QWidget {
public:
    Window() { setFixedSize(902, 661); }

    void step()
    {
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
    int column_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Window window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.show();
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &window, &Window::step);
    timer.start(20);
    return QApplication::exec();
}
