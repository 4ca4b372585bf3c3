#include "app/axis_label.h"
#include "app/chart_surface.h"
#include "app/form1.h"
#include "app/recorder_timer.h"
#include "app/window_font.h"
#include "fake_serial_link.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using kelvra::Form1;
using kelvra::LabelId;

class TstForm1 : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { kelvra::registerFontSubstitutions(); }
    void init() { form_ = std::make_unique<Form1>(link_); }
    void cleanup() { form_.reset(); }

    void window();
    void layout_data();
    void layout();
    void axisNumbersStandUnderTheGrid();
    void fonts();
    void chartsAndFramesLieAboveLabels();
    void keyboard();
    void startUpAndButtonsReachTheRecorder();
    void sweepButtonsSetCaptionAndRate_data();
    void sweepButtonsSetCaptionAndRate();
    void everyReadingShowsOnTheChart_data();
    void everyReadingShowsOnTheChart();
    void labelsKeepTheirLookWhenChanged();
    void valueLabelsShowEveryTextWhole();
    void problemReportDoesNotStopTheRecorder();
    void archiveAllClearReplacesItsWarning();
    void aMissedReplyIsPaintedRed();

private:
    kelvra::test::FakeSerialLink link_;
    std::unique_ptr<Form1> form_;
};

void TstForm1::window()
{
    QCOMPARE(form_->windowTitle(), QStringLiteral("KELVRA(12F683)"));
    QCOMPARE(form_->minimumSize(), QSize(902, 661));
    QCOMPARE(form_->maximumSize(), QSize(902, 661));
    QVERIFY(!(form_->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(form_->windowFlags() & Qt::WindowCloseButtonHint);
    // The layout test below covers every one of them.
    const QRegularExpression control(QStringLiteral("^(Label|Command|Frame|GP)\\d+$"));
    QCOMPARE(form_->findChildren<QWidget*>(control).size(), 44);
}

void TstForm1::layout_data()
{
    // Every control, in pixels at 96 dots per inch: the layout's twips divided by 15, rounded.
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");
    QTest::newRow("Label22") << "Form1" << QRect(40, 8, 153, 17) << QStringLiteral("ＣＨ－１");
    QTest::newRow("GP1") << "Form1" << QRect(32, 24, 722, 127) << QString();
    QTest::newRow("Label14") << "Form1" << QRect(8, 24, 25, 17) << QStringLiteral("5V");
    QTest::newRow("Label13") << "Form1" << QRect(8, 144, 25, 17) << QStringLiteral("0V");
    QTest::newRow("Label10") << "Form1" << QRect(32, 152, 745, 17) << kelvra::AxisLabel::axisText();
    QTest::newRow("Label23") << "Form1" << QRect(40, 168, 153, 17) << QStringLiteral("ＣＨ－２");
    QTest::newRow("GP2") << "Form1" << QRect(32, 184, 722, 127) << QString();
    QTest::newRow("Label12") << "Form1" << QRect(8, 184, 25, 17) << QStringLiteral("5V");
    QTest::newRow("Label11") << "Form1" << QRect(8, 304, 25, 17) << QStringLiteral("0V");
    QTest::newRow("Label19") << "Form1" << QRect(32, 312, 745, 17) << kelvra::AxisLabel::axisText();
    QTest::newRow("Label24") << "Form1" << QRect(40, 328, 153, 17) << QStringLiteral("ＣＨ－３");
    QTest::newRow("GP3") << "Form1" << QRect(32, 344, 722, 127) << QString();
    QTest::newRow("Label15") << "Form1" << QRect(8, 344, 25, 17) << QStringLiteral("5V");
    QTest::newRow("Label16") << "Form1" << QRect(8, 464, 25, 17) << QStringLiteral("0V");
    QTest::newRow("Label20") << "Form1" << QRect(32, 472, 745, 17) << kelvra::AxisLabel::axisText();
    QTest::newRow("Label25") << "Form1" << QRect(40, 488, 153, 17) << QStringLiteral("ＣＨ－４");
    QTest::newRow("GP4") << "Form1" << QRect(32, 504, 722, 127) << QString();
    QTest::newRow("Label17") << "Form1" << QRect(8, 504, 25, 17) << QStringLiteral("5V");
    QTest::newRow("Label18") << "Form1" << QRect(8, 624, 25, 17) << QStringLiteral("0V");
    QTest::newRow("Label21") << "Form1" << QRect(32, 632, 745, 17) << kelvra::AxisLabel::axisText();
    QTest::newRow("Frame1") << "Form1" << QRect(768, 16, 121, 137) << QString();
    QTest::newRow("Label7") << "Frame1" << QRect(16, 16, 89, 33) << QStringLiteral("ＫＥＬ");
    QTest::newRow("Label29") << "Frame1" << QRect(16, 48, 89, 33) << QStringLiteral("ＶＲＡ");
    QTest::newRow("Label8") << "Frame1" << QRect(8, 88, 105, 25) << QStringLiteral("PIC12F683");
    QTest::newRow("Label28") << "Frame1" << QRect(24, 112, 73, 17) << QStringLiteral("ＤＬＷ");
    QTest::newRow("Frame2") << "Form1" << QRect(768, 160, 121, 169) << QString();
    QTest::newRow("Label9") << "Frame2" << QRect(8, 16, 105, 17) << QStringLiteral("電　　圧");
    QTest::newRow("Label1") << "Frame2" << QRect(8, 40, 100, 20) << QStringLiteral("CH-1 :");
    QTest::newRow("Label2") << "Frame2" << QRect(8, 72, 100, 20) << QStringLiteral("CH-2 :");
    QTest::newRow("Label3") << "Frame2" << QRect(8, 104, 100, 20) << QStringLiteral("CH-3 :");
    QTest::newRow("Label4") << "Frame2" << QRect(8, 136, 100, 20) << QStringLiteral("CH-4 :");
    QTest::newRow("Command3") << "Form1" << QRect(776, 352, 71, 27) << QStringLiteral("Restart");
    QTest::newRow("Label30") << "Form1" << QRect(854, 357, 33, 17) << QStringLiteral("Time");
    QTest::newRow("Command4") << "Form1" << QRect(776, 384, 47, 27) << QStringLiteral("Free");
    QTest::newRow("Command6") << "Form1" << QRect(840, 384, 47, 27) << QStringLiteral("５分");
    QTest::newRow("Command5") << "Form1" << QRect(776, 416, 47, 27) << QStringLiteral("１分");
    QTest::newRow("Command7") << "Form1" << QRect(840, 416, 47, 27) << QStringLiteral("20分");
    QTest::newRow("Frame3") << "Form1" << QRect(768, 456, 121, 97) << QString();
    QTest::newRow("Label5") << "Frame3" << QRect(8, 24, 107, 19) << QStringLiteral("通信状況");
    QTest::newRow("Label26") << "Frame3" << QRect(32, 48, 57, 17) << QStringLiteral("時　刻");
    QTest::newRow("Label6") << "Frame3" << QRect(8, 64, 107, 20) << QStringLiteral("現在の時刻");
    QTest::newRow("Command1") << "Form1" << QRect(792, 568, 73, 25) << QStringLiteral("ＥＸＩＴ");
    QTest::newRow("Command2") << "Form1" << QRect(792, 600, 73, 25) << QStringLiteral("保　存");
    QTest::newRow("Label27") << "Form1" << QRect(776, 632, 113, 17) << QStringLiteral("画面ライターを使用");
}

void TstForm1::layout()
{
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    auto* control = form_->findChild<QWidget*>(QTest::currentDataTag());
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), container);
    QCOMPARE(control->geometry(), rect);
    if (auto* label = qobject_cast<QLabel*>(control))
        QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QPushButton*>(control))
        QCOMPARE(button->text(), text);
}

void TstForm1::axisNumbersStandUnderTheGrid()
{
    const QString text = kelvra::AxisLabel::axisText();
    QCOMPARE(text.size(), 173);
    const int starts[] = {1, 14, 29, 44, 58, 73, 87, 101, 116, 130, 144, 158, 171};
    for (int n = 0; n < kelvra::AxisLabel::kNumbers; ++n)
        QCOMPARE(text.mid(starts[n] - 1, 1 + QString::number(n).size()), u' ' + QString::number(n));
    QCOMPARE(text.count(u' '), 173 - 16);  // 16 digits
    for (const kelvra::AxisLabel* axis : {form_->Label10, form_->Label19, form_->Label20})
        QCOMPARE(axis->text(), text);

    const kelvra::AxisLabel& axis = *form_->Label21;
    QCOMPARE(axis.numberRect(0).left(), 0);
    QVERIFY(axis.rect().contains(axis.numberRect(12)));
    for (int n = 1; n <= 11; ++n) {
        const double line = 10835.0 * n / 12 / 15;
        QVERIFY2(std::abs(axis.numberRect(n).center().x() + 0.5 - line) <= 1.0, qPrintable(QString::number(n)));
    }
}

void TstForm1::fonts()
{
    QCOMPARE(form_->font().family(), kelvra::kWindowFontFamily);
    QCOMPARE(form_->font().pointSizeF(), 9.0);
    QVERIFY(form_->Label7->font().bold());
    QVERIFY(!form_->Label29->font().bold());
    QCOMPARE(form_->Label29->font().pointSizeF(), 24.0);
    QCOMPARE(form_->Label1->font().pointSizeF(), 11.25);
    QCOMPARE(form_->Label8->font().pointSizeF(), 14.25);
    QCOMPARE(form_->Command1->font().pointSizeF(), 9.75);
    QCOMPARE(form_->Command3->font().pointSizeF(), 9.0);

    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        QSKIP("IPAPGothic is not installed");
    QCOMPARE(QFontInfo(form_->font()).family(), QStringLiteral("IPAPGothic"));
}

void TstForm1::chartsAndFramesLieAboveLabels()
{
    // The title label reaches one pixel into its chart, the axis labels run under the frames.
    const QRect title = form_->Label22->geometry();
    QCOMPARE(form_->childAt(title.center().x(), title.bottom()), form_->GP1);
    const QPoint axisUnderFrame(form_->Frame1->geometry().left() + 3, form_->Label10->geometry().top());
    QCOMPARE(form_->childAt(axisUnderFrame), form_->Frame1);
}

void TstForm1::keyboard()
{
    const QList<QWidget*> order{form_->GP1,      form_->GP2,      form_->GP3,      form_->GP4,
                                form_->Command1, form_->Command2, form_->Command3, form_->Command4,
                                form_->Command5, form_->Command6, form_->Command7};
    for (const QWidget* w : form_->findChildren<QWidget*>())
        QCOMPARE(bool(w->focusPolicy() & Qt::TabFocus), order.contains(w));
    QList<QSignalSpy*> clicks;
    for (const QPushButton* button : form_->findChildren<QPushButton*>()) {
        QVERIFY(!button->isDefault() && !button->autoDefault());
        clicks << new QSignalSpy(button, &QPushButton::clicked);
    }

    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QCOMPARE(QApplication::focusWidget(), form_->GP1);
    QTest::keyClick(form_->GP1, Qt::Key_Return);
    for (int i = 1; i <= order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[i % order.size()]);
    }
    for (const QSignalSpy* spy : clicks)
        QCOMPARE(spy->count(), 0);
    qDeleteAll(clicks);

    // A button with the focus is pressed by Enter as by the space bar.
    QSignalSpy free(form_->Command4, &QPushButton::clicked);
    form_->Command4->setFocus();
    QTest::keyClick(form_->Command4, Qt::Key_Return);
    QTest::keyClick(form_->Command4, Qt::Key_Space);
    QCOMPARE(free.count(), 2);
}

void TstForm1::startUpAndButtonsReachTheRecorder()
{
    QVERIFY(!form_->Timer1->isTicking() && !form_->Timer2->isTicking());
    QVERIFY(form_->load());
    QCOMPARE(form_->Label30->text(), QStringLiteral("Free"));
    QCOMPARE(form_->Timer1->interval(), 20);
    QVERIFY(form_->Timer1->isTicking());
    QCOMPARE(form_->Timer2->interval(), 1);
    QVERIFY(form_->Timer2->isIdle());
    QCOMPARE(link_.written.last(), QStringLiteral("0"));
    QCOMPARE(form_->recorder().GP_Point12, 10835.0);
    QCOMPARE(form_->recorder().Per_ch1S, 1900.0);

    form_->drawLine(2, 3000, 0, 3000, 1900, kelvra::palette::kBlue);
    form_->recorder().GP1_count = 500.0;
    QTest::mouseClick(form_->Command3, Qt::LeftButton);
    QCOMPARE(form_->recorder().GP1_count, 0.0);
    QCOMPARE(form_->GP3->image().pixel(200, 60), form_->GP3->background().rgb());
}

void TstForm1::sweepButtonsSetCaptionAndRate_data()
{
    QTest::addColumn<QString>("button");
    // Pressed first, so that Timer2 already ticks at another rate when the button changes it.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("timer2Ms");
    // How far the sweep moves on a tick of each timer.
    QTest::addColumn<double>("timer1Step");
    QTest::addColumn<double>("timer2Step");
    QTest::newRow("Free") << "Command4" << "Command7" << "Free" << 0 << 1.0 << 0.0;
    QTest::newRow("1 min") << "Command5" << "Command7" << "１分" << 62 << 0.0 << 1.0;
    QTest::newRow("5 min") << "Command6" << "Command5" << "５分" << 328 << 0.0 << 1.0;
    QTest::newRow("20 min") << "Command7" << "Command6" << "20分" << 1324 << 0.0 << 1.0;
}

void TstForm1::sweepButtonsSetCaptionAndRate()
{
    QFETCH(QString, button);
    QFETCH(QString, before);
    QFETCH(QString, caption);
    QFETCH(int, timer2Ms);
    QFETCH(double, timer1Step);
    QFETCH(double, timer2Step);
    QVERIFY(form_->load());
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QTest::mouseClick(form_->findChild<QPushButton*>(before), Qt::LeftButton);
    QVERIFY(form_->Timer2->isTicking());

    QTest::mouseClick(form_->findChild<QPushButton*>(button), Qt::LeftButton);
    QCOMPARE(form_->Label30->text(), caption);
    QCOMPARE(form_->Timer2->tickingInterval(), timer2Ms);
    kelvra::Recorder& recorder = form_->recorder();
    const double start = recorder.GP1_count;
    emit form_->Timer2->timeout();
    QCOMPARE(recorder.GP1_count, start + timer2Step);
    emit form_->Timer1->timeout();
    QCOMPARE(recorder.GP1_count, start + timer2Step + timer1Step);
}

void TstForm1::everyReadingShowsOnTheChart_data()
{
    QTest::addColumn<QString>("reading");
    QTest::addColumn<QList<int>>("rows");
    QTest::newRow("full scale") << "1023" << QList<int>{0};
    QTest::newRow("1022") << "1022" << QList<int>{0};
    QTest::newRow("mid scale") << "512" << QList<int>{61, 62};
    QTest::newRow("14") << "14" << QList<int>{123, 124};
    QTest::newRow("13") << "13" << QList<int>{123, 124};
    QTest::newRow("zero") << "0" << QList<int>{124};
    QTest::newRow("past full scale") << "1024" << QList<int>{};
    QTest::newRow("below zero") << "-1" << QList<int>{};
}

void TstForm1::everyReadingShowsOnTheChart()
{
    QFETCH(QString, reading);
    QFETCH(QList<int>, rows);
    QVERIFY(form_->load());
    kelvra::Recorder& recorder = form_->recorder();
    recorder.plot_channel(0, reading);
    const double level = recorder.Per_ch1S;
    form_->clearChart(0);
    recorder.GP1S_count = 3000;
    recorder.GP1_count = 3030;
    recorder.plot_channel(0, reading);
    QCOMPARE(recorder.Per_ch1S, level);

    const QImage& image = form_->GP1->image();
    QList<int> traced;
    for (int y = 0; y < image.height(); ++y)
        if (image.pixel(201, y) == qRgb(255, 0, 0))
            traced << y;
    QCOMPARE(traced, rows);
}

void TstForm1::labelsKeepTheirLookWhenChanged()
{
    QLabel& status = *form_->Label5;
    const QRect box = status.geometry();
    form_->setLabelText(LabelId::Label5, QStringLiteral("通信エラー"));
    form_->setLabelBackground(LabelId::Label5, kelvra::palette::kRed);
    QCOMPARE(status.text(), QStringLiteral("通信エラー"));
    QCOMPARE(status.palette().color(QPalette::Window), QColor(255, 0, 0));
    QCOMPARE(status.geometry(), box);
    QCOMPARE(status.frameStyle(), QFrame::Panel | QFrame::Sunken);
    QVERIFY(status.alignment() & Qt::AlignHCenter);

    form_->setLabelText(LabelId::Label3, QStringLiteral("CH-3 : 2.50"));
    QCOMPARE(form_->Label3->text(), QStringLiteral("CH-3 : 2.50"));
    QCOMPARE(form_->Label3->palette().color(QPalette::Window), form_->palette().color(QPalette::HighlightedText));
    QCOMPARE(form_->chartWidth(3), 10835.0f);
    QCOMPARE(form_->chartHeight(0), 1900.0f);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, form_->clearChart(4));
}

void TstForm1::valueLabelsShowEveryTextWhole()
{
    QVERIFY(form_->load());
    const QLabel* labels[] = {form_->Label1, form_->Label2, form_->Label3, form_->Label4};
    const QFont inherited = form_->Frame2->font();
    // The longest texts: over range both ways, the limits, four digits both ways. A value in range
    // keeps the font the label inherits, as it always had.
    const char* readings[] = {"1e300", "-1e300", "2045998", "-2045998", "204600", "-204600"};
    for (std::int16_t channel = 0; channel < 4; ++channel) {
        const QLabel& label = *labels[channel];
        const QRect place = label.geometry();
        for (const char* reading : readings) {
            form_->recorder().plot_channel(channel, reading);
            const int width = QFontMetrics(label.font()).horizontalAdvance(label.text());
            QVERIFY2(width <= label.contentsRect().width(), qPrintable(label.text()));
            QCOMPARE(label.geometry(), place);
        }
        form_->recorder().plot_channel(channel, "1023");
        QCOMPARE(label.font(), inherited);
    }
}

void TstForm1::problemReportDoesNotStopTheRecorder()
{
    QVERIFY(form_->load());
    form_->reportProblem(QStringLiteral("The serial line failed"));
    const auto boxes = form_->findChildren<QMessageBox*>();
    QCOMPARE(boxes.size(), 1);
    const QPointer<QMessageBox> box = boxes.first();
    QVERIFY(box->isVisible());
    QCOMPARE(box->windowModality(), Qt::NonModal);
    QCOMPARE(box->text(), QStringLiteral("The serial line failed"));
    QVERIFY(form_->Timer1->isTicking());
    box->close();
    QTRY_VERIFY(box.isNull());
}

// Once the archive is written again, its warning box says so instead: no second box.
void TstForm1::archiveAllClearReplacesItsWarning()
{
    QVERIFY(form_->load());
    form_->reportArchiveState(QStringLiteral("The archive cannot be written"), false);
    form_->reportArchiveState(QStringLiteral("The archive is written again"), true);
    const auto boxes = form_->findChildren<QMessageBox*>();
    QCOMPARE(boxes.size(), 1);
    QCOMPARE(boxes.first()->text(), QStringLiteral("The archive is written again"));
    QCOMPARE(boxes.first()->icon(), QMessageBox::Information);
}

namespace {

// The status label's colour each time it is painted: what reaches the screen.
class PaintedColours : public QObject {
public:
    explicit PaintedColours(QLabel& label) : label_(label) { label.installEventFilter(this); }
    QList<QColor> colours;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            colours << label_.palette().color(QPalette::Window);
        return false;
    }

private:
    QLabel& label_;
};

}  // namespace

// The window paints every tenth tick; one tick without a reply between two paints still shows.
void TstForm1::aMissedReplyIsPaintedRed()
{
    QVERIFY(form_->load());
    form_->Timer1->setInterval(0);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    PaintedColours painted(*form_->Label5);
    const QColor red(255, 0, 0), green(0, 255, 0);
    for (int tick = 0; tick < 60; ++tick) {
        link_.replies << (tick == 33 ? QString() : QStringLiteral("512"));
        emit form_->Timer1->timeout();
        QCoreApplication::processEvents();
        if (tick == 32)
            QVERIFY(!painted.colours.isEmpty() && !painted.colours.contains(red));
    }
    QVERIFY(painted.colours.contains(red));
    QCOMPARE(painted.colours.last(), green);
}

QTEST_MAIN(TstForm1)
#include "tst_form1.moc"
