#include "app/repaint_pacer.h"

#include <QPaintEvent>
#include <QtTest>

using kelvra::RepaintPacer;

namespace {

class Probe : public QWidget {
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

struct PacedWindow {
    explicit PacedWindow(int intervalMs) : pacer(window, intervalMs)
    {
        window.resize(200, 100);
        probe.setGeometry(10, 10, 50, 50);
        window.show();
    }
    QWidget window;
    Probe probe{&window};
    RepaintPacer pacer;
};

}  // namespace

class TstRepaintPacer : public QObject {
    Q_OBJECT
private slots:
    void changesWithinTheIntervalAreHeldBack();
    void heldChangesArePaintedLater();
};

void TstRepaintPacer::changesWithinTheIntervalAreHeldBack()
{
    PacedWindow paced(3600 * 1000);
    QVERIFY(QTest::qWaitForWindowExposed(&paced.window));
    QTRY_VERIFY(paced.probe.paints > 0);
    const int shown = paced.probe.paints;

    paced.probe.update();
    QTest::qWait(50);
    paced.probe.update();
    QTest::qWait(50);
    QVERIFY(paced.probe.paints <= shown + 1);
}

void TstRepaintPacer::heldChangesArePaintedLater()
{
    PacedWindow paced(30);
    QVERIFY(QTest::qWaitForWindowExposed(&paced.window));
    QTRY_VERIFY(paced.probe.paints > 0);
    for (int i = 0; i < 5; ++i) {
        const int before = paced.probe.paints;
        paced.probe.update();
        QTRY_VERIFY(paced.probe.paints > before);
    }
}

QTEST_MAIN(TstRepaintPacer)
#include "tst_repaint_pacer.moc"
