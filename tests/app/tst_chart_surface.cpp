#include "app/chart_surface.h"

#include <QPaintEvent>
#include <QtTest>

#include <limits>

using kelvra::ChartSurface;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// Notes the rectangles that reach paintEvent.
class ProbeSurface : public ChartSurface {
public:
    ProbeSurface() : ChartSurface(QSize(10835, 1900)) {}
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        painted += event->region();
        ChartSurface::paintEvent(event);
    }
};

int countColumn(const QImage& image, int x, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        n += image.pixel(x, y) == colour;
    return n;
}

bool only(const QImage& image, std::initializer_list<QRgb> colours)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (std::find(colours.begin(), colours.end(), image.pixel(x, y)) == colours.end())
                return false;
    return true;
}

}  // namespace

class TstChartSurface : public QObject {
    Q_OBJECT
private slots:
    void edgesOfTheDrawingArea();
    void penWidthAndExactColours();
    void offChartCoordinates();
    void drawingSurvivesBeingHidden();
    void onlyChangedPixelsAreRepainted();
};

void TstChartSurface::edgesOfTheDrawingArea()
{
    ChartSurface chart(QSize(10835, 1900));
    QCOMPARE(chart.size(), QSize(722, 127));
    QCOMPARE(chart.drawingArea(), QRect(1, 1, 720, 125));
    QVERIFY(only(chart.image(), {kWhite}));

    chart.drawLine(0, 0, 0, 1900);
    QCOMPARE(countColumn(chart.image(), 0, kBlack), 125);
    QCOMPARE(countColumn(chart.image(), 1, kBlack), 0);
    chart.drawLine(10799, 0, 10799, 1900);
    QCOMPARE(countColumn(chart.image(), 719, kBlack), 125);

    // The outer width and height lie beyond the border.
    chart.clear();
    chart.drawLine(10835, 0, 10835, 1900);
    chart.drawLine(10800, 0, 10800, 1900);
    chart.drawLine(0, 1900, 10835, 1900);
    chart.drawLine(0, 1875, 10835, 1875);
    QVERIFY(only(chart.image(), {kWhite}));

    chart.drawLine(0, 380, 10835, 380);
    QCOMPARE(chart.image().pixel(100, 25), kBlack);
    QCOMPARE(chart.image().pixel(100, 24), kWhite);
    QCOMPARE(chart.image().pixel(100, 26), kWhite);
}

void TstChartSurface::penWidthAndExactColours()
{
    ChartSurface chart(QSize(10835, 1900));
    const QColor purple(128, 0, 128);
    chart.setPenWidth(2);
    chart.drawLine(1500, 0, 1500, 1900, purple);
    QCOMPARE(countColumn(chart.image(), 99, purple.rgb()) + countColumn(chart.image(), 100, purple.rgb()), 250);
    QCOMPARE(countColumn(chart.image(), 98, purple.rgb()) + countColumn(chart.image(), 101, purple.rgb()), 0);

    // A slanted trace keeps its exact colour: no blending at its edges.
    chart.clear();
    chart.drawLine(0, 1900, 3000, 0, purple);
    QVERIFY(only(chart.image(), {kWhite, purple.rgb()}));
    QCOMPARE(chart.penWidth(), 2);
}

void TstChartSurface::offChartCoordinates()
{
    ChartSurface chart(QSize(10835, 1900));
    chart.drawLine(3000, -1.0e30f, 3000, 1.0e30f);
    QCOMPARE(countColumn(chart.image(), 200, kBlack), 125);

    chart.clear();
    chart.drawLine(std::numeric_limits<float>::quiet_NaN(), 0, 3000, 1000);
    chart.drawLine(3000, 0, 3000, std::numeric_limits<float>::infinity());
    chart.drawLine(-5000, -5000, -100, -100);
    QVERIFY(only(chart.image(), {kWhite}));
}

void TstChartSurface::drawingSurvivesBeingHidden()
{
    ChartSurface chart(QSize(10835, 1900));
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    chart.drawLine(1500, 0, 1500, 1900, QColor(0, 0, 255));
    chart.hide();
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));

    const QImage shown = chart.grab().toImage();
    QCOMPARE(shown.pixel(101, 50), qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(0, 50), kBlack);  // the border
    QCOMPARE(shown.pixel(721, 126), kBlack);
    QCOMPARE(shown.pixel(1, 1), kWhite);
}

void TstChartSurface::onlyChangedPixelsAreRepainted()
{
    ProbeSurface chart;
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    QTRY_VERIFY(!chart.painted.isEmpty());

    chart.painted = QRegion();
    chart.setPenWidth(2);
    chart.drawLine(1500, 600, 1530, 700, QColor(255, 0, 0));
    QTRY_VERIFY(!chart.painted.isEmpty());
    QCOMPARE(chart.painted.boundingRect(), QRect(100, 40, 4, 8));

    // Changes far apart are repainted as the one rectangle around them: one image put on screen.
    chart.painted = QRegion();
    chart.drawLine(300, 300, 300, 300, QColor(0, 0, 255));
    chart.drawLine(3000, 1500, 3000, 1500, QColor(0, 0, 255));
    QTRY_VERIFY(!chart.painted.isEmpty());
    QCOMPARE(chart.painted, QRegion(20, 20, 182, 82));

    // Drawing what is already there, or clearing a clear chart, repaints nothing.
    chart.painted = QRegion();
    chart.drawLine(1500, 600, 1530, 700, QColor(255, 0, 0));
    chart.clear();
    QTRY_VERIFY(!chart.painted.isEmpty());
    chart.painted = QRegion();
    chart.clear();
    QTest::qWait(50);
    QVERIFY(chart.painted.isEmpty());

    // A grid line drawn again across the chart repaints only the column the sweep had wiped.
    chart.setPenWidth(1);
    chart.drawLine(0, 760, 10835, 760);
    chart.drawLine(4500, 0, 4500, 1900, QColor(255, 255, 255));
    QTRY_VERIFY(!chart.painted.isEmpty());
    chart.painted = QRegion();
    chart.drawLine(0, 760, 10835, 760);
    QTRY_VERIFY(!chart.painted.isEmpty());
    QCOMPARE(chart.painted.boundingRect(), QRect(301, 51, 1, 1));
}

QTEST_MAIN(TstChartSurface)
#include "tst_chart_surface.moc"
