#include "app/form1.h"

#include "app/chart_surface.h"
#include "app/failure_report.h"
#include "app/picture_label.h"
#include "app/recorder_timer.h"
#include "app/repaint_pacer.h"
#include "app/save_chord.h"
#include "app/status_hold.h"
#include "app/text_widths.h"
#include "app/twips.h"
#include "app/window_font.h"
#include "link/serial_link.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <cmath>
#include <stdexcept>

Q_LOGGING_CATEGORY(lcSweep, "kelvra.sweep", QtWarningMsg)
Q_LOGGING_CATEGORY(lcReadings, "kelvra.readings", QtWarningMsg)

namespace kelvra {
namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
constexpr int kClientWidthTwips = 13530;
constexpr int kClientHeightTwips = 9915;
// Five repaints a second: the fastest sweep moves two thirds of a pixel in between, and a pressed
// button still answers without a noticeable delay.
constexpr int kTicksPerRepaint = 200 / kTimer1IntervalMs;

const std::array<ChartSurface* Form1::*, kChannelCount> kCharts{&Form1::GP1, &Form1::GP2, &Form1::GP3, &Form1::GP4};

QColor toColor(Rgb colour) { return QColor(colour.r, colour.g, colour.b); }

bool isValueLabel(LabelId id)
{
    return id == LabelId::Label1 || id == LabelId::Label2 || id == LabelId::Label3 || id == LabelId::Label4;
}

// A value too wide for its label at the font it inherits is shown in a font just small enough,
// rather than cut at both ends; one that fits keeps the inherited font untouched.
void fitFontToText(QLabel& label, TextWidths& widths)
{
    constexpr qreal kStep = 0.25;
    const QFont inherited = label.parentWidget()->font();
    const int room = label.contentsRect().width();
    const int needed = widths.of(label.text(), inherited);
    QFont fitted = inherited;
    if (needed > room) {
        fitted.setPointSizeF(std::floor(inherited.pointSizeF() * room / needed / kStep) * kStep);
        while (QFontMetrics(fitted).horizontalAdvance(label.text()) > room && fitted.pointSizeF() > kStep)
            fitted.setPointSizeF(fitted.pointSizeF() - kStep);
    }
    if (label.font() != fitted)
        label.setFont(fitted == inherited ? QFont() : fitted);
}

// Monotonic time since the program started, for the sweep's debug output.
QElapsedTimer& sinceStart()
{
    static QElapsedTimer timer = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return timer;
}

}  // namespace

Form1::Form1(SerialLink& link, QWidget* parent) : Form1(link, systemClock_, parent) {}

Form1::Form1(SerialLink& link, Clock& clock, QWidget* parent)
    : QWidget(parent, kWindowFlags), link_(link), recorder_(*this, link, clock)
{
    sinceStart();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("KELVRA(12F683)"));
    setFont(windowFont());
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));

    createControls();
    // A window reaches the screen in one image put per rectangle of its changes, cut into bands:
    // the reading and clock labels beside the charts would cut each chart's change into a strip
    // per label row. In windows of their own they leave each chart one rectangle. Only these
    // two: a native control otherwise makes all its siblings native too.
    QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
    for (QFrame* frame : {Frame2, Frame3})
        frame->setAttribute(Qt::WA_NativeWindow);
    Timer1 = new RecorderTimer(RecorderTimer::Wakes::Itself, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // Timer2 only moves the sweep, which shows on Timer1's next tick: its ticks wait for that
    // wake-up (or a click) instead of waking the process themselves.
    Timer2 = new RecorderTimer(RecorderTimer::Wakes::WhenAsked, this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    pacer_ = new RepaintPacer(*this, kTicksPerRepaint, [this] {
        for (QLabel* reading : {Label1, Label2, Label3, Label4})
            static_cast<PictureLabel*>(reading)->keepPicture();
    });
    statusHold_ = new StatusHold(*Label5);
    // What the recorder writes is never markup: Qt need not look for any on every new text.
    for (QLabel* written : {Label1, Label2, Label3, Label4, Label5, Label6, Label30})
        written->setTextFormat(Qt::PlainText);
    connectEvents();
}

bool Form1::load(const std::function<QString()>& portAdvice)
{
    std::exception_ptr error;
    QString advice;
    try {
        recorder_.startUp();
        return true;
    } catch (const LinkError&) {
        error = std::current_exception();
        if (portAdvice)
            advice = portAdvice();
    } catch (...) {
        error = std::current_exception();
    }
    stopForGood();
    FailureReport report = describeFailure(error);
    appendAdvice(report, advice);
    showFailure(report, nullptr);
    return false;
}

void Form1::connectEvents()
{
    connect(Timer1, &RecorderTimer::timeout, this, [this] {
        Timer2->deliverDueTicks();
        handle([this] { timer1Tick(); });
        pacer_->tick();
    });
    connect(Timer2, &RecorderTimer::timeout, this, [this] { handle([this] { timer2Tick(); }); });
    connect(Command1, &QPushButton::clicked, this, &QWidget::close);
    connect(Command2, &QPushButton::clicked, this, [this] { handle([this] { sendSaveChord(); }); });

    const std::array<std::pair<QPushButton*, void (Recorder::*)()>, 5> commands{{
        {Command3, &Recorder::command3Click},
        {Command4, &Recorder::command4Click},
        {Command5, &Recorder::command5Click},
        {Command6, &Recorder::command6Click},
        {Command7, &Recorder::command7Click},
    }};
    for (const auto& [button, click] : commands)
        connect(button, &QPushButton::clicked, this,
                [this, click = click] {
                    // A click finds the sweep where Timer2's ticks up to now have left it.
                    Timer2->deliverDueTicks();
                    handle([this, click] { (recorder_.*click)(); });
                });
}

template <typename Handler>
void Form1::handle(Handler&& handler) noexcept
{
    if (ending_)
        return;
    try {
        handler();
    } catch (...) {
        endWithError(std::current_exception());
    }
}

void Form1::stopForGood() noexcept
{
    ending_ = true;
    Timer1->stop();
    Timer2->stop();
}

void Form1::endWithError(std::exception_ptr error) noexcept
{
    stopForGood();
    showFailure(describeFailure(error), this);
    QCoreApplication::exit(1);
}

Form1::~Form1()
{
    try {
        closePort();
    } catch (...) {
        // Nothing is left to report to at this point.
    }
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (ending_) {
        event->accept();
        return;
    }
    if (!confirmExit()) {
        event->ignore();
        return;
    }
    event->accept();
    exitNormally();
}

void Form1::exitNormally() noexcept
{
    // An error already on screen keeps its own status: its handler exits with 1 once it returns.
    stopForGood();
    try {
        closePort();
    } catch (...) {
        endWithError(std::current_exception());
        return;
    }
    QCoreApplication::exit(0);
}

bool Form1::confirmExit()
{
    QMessageBox question(QMessageBox::NoIcon, QStringLiteral("終了確認"), QStringLiteral("終了しますか。"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setDefaultButton(QMessageBox::Yes);
    question.setEscapeButton(QMessageBox::No);
    return question.exec() == QMessageBox::Yes;
}

void Form1::closePort()
{
    if (portClosed_)
        return;
    portClosed_ = true;
    link_.setPortOpen(false);
}

void Form1::sendSaveChord()
{
    // Not being able to send a convenience chord is no reason to lose the charts.
    if (!kelvra::sendSaveChord())
        reportProblem(tr("The save chord Ctrl+Alt+X is not available on this desktop: it offers no way to send "
                         "keys to the active window. Recording goes on."));
}

void Form1::timer1Tick()
{
    const int chart = recorder_.channelIndex();
    const double column = recorder_.GP1_count;
    recorder_.timer1Tick();
    // What each chart was given and where, and the reply it came from in hex (none when nothing
    // arrived): a reply that missed its tick shows here as 0, and on the next channel.
    if (lcReadings().isDebugEnabled() && chart >= 0 && chart < kChannelCount) {
        const std::array<double, kChannelCount> readings{recorder_.ch1_dat, recorder_.ch2_dat, recorder_.ch3_dat,
                                                         recorder_.ch4_dat};
        const bool replied = recorder_.replied();
        const QByteArray reply = replied ? recorder_.rxText().toLatin1().toHex() : QByteArray();
        qCDebug(lcReadings, "GP%d %g at %.0f reply %s", chart + 1, readings[static_cast<std::size_t>(chart)], column,
                reply.constData());
    }
}

void Form1::timer2Tick()
{
    const double before = recorder_.GP1_count;
    recorder_.timer2Tick();
    if (recorder_.GP1_count != before)
        qCDebug(lcSweep, "step %.0f at %lld", recorder_.GP1_count, static_cast<long long>(sinceStart().elapsed()));
}

ChartSurface& Form1::chart(int index) const { return *(this->*kCharts.at(static_cast<std::size_t>(index))); }

QLabel& Form1::label(LabelId id) const
{
    switch (id) {
    case LabelId::Label1: return *Label1;
    case LabelId::Label2: return *Label2;
    case LabelId::Label3: return *Label3;
    case LabelId::Label4: return *Label4;
    case LabelId::Label5: return *Label5;
    case LabelId::Label6: return *Label6;
    case LabelId::Label30: return *Label30;
    }
    throw std::invalid_argument("no such label");
}

RecorderTimer& Form1::timer(TimerId id) const { return id == TimerId::Timer1 ? *Timer1 : *Timer2; }

float Form1::chartWidth(int index) const { return chart(index).widthTwips(); }

float Form1::chartHeight(int index) const { return chart(index).heightTwips(); }

void Form1::setPenWidth(int index, int pixels) { chart(index).setPenWidth(pixels); }

VerticalBand Form1::lineReach(int index) const { return chart(index).lineReach(); }

void Form1::drawLine(int index, float x1, float y1, float x2, float y2, std::optional<Rgb> colour)
{
    ChartSurface& surface = chart(index);
    if (colour)
        surface.drawLine(x1, y1, x2, y2, toColor(*colour));
    else
        surface.drawLine(x1, y1, x2, y2);
}

void Form1::clearChart(int index) { chart(index).clear(); }

void Form1::setLabelText(LabelId id, const QString& text)
{
    if (id == LabelId::Label5 && statusHold_->holds(text == kStatusNoReply))
        return;
    QLabel& target = label(id);
    // Written on every tick, mostly with what the label already shows.
    if (target.text() == text)
        return;
    target.setText(text);
    if (isValueLabel(id))
        fitFontToText(target, valueWidths_);
}

void Form1::setLabelBackground(LabelId id, Rgb colour)
{
    if (id == LabelId::Label5 && statusHold_->holds(colour == kStatusNoReplyColour))
        return;
    // Set on every tick, nearly always to the colour it has: the label is not even asked.
    std::optional<Rgb>& shown = backgrounds_[static_cast<std::size_t>(id)];
    if (shown == colour)
        return;
    shown = colour;
    QLabel& target = label(id);
    QPalette colours = target.palette();
    colours.setColor(QPalette::Window, toColor(colour));
    target.setPalette(colours);
    target.setAutoFillBackground(true);
}

void Form1::setTimerInterval(TimerId id, int milliseconds) { timer(id).setInterval(milliseconds); }

void Form1::setTimerIdle(TimerId id, bool idle) { timer(id).setIdle(idle); }

void Form1::reportArchiveState(const QString& message, bool working)
{
    if (archiveNotice_) {
        printError(QStringLiteral("kelvra: ") + message);
        archiveNotice_->setText(message);
    } else {
        archiveNotice_ = showNotice(message);
    }
    archiveNotice_->setIcon(working ? QMessageBox::Information : QMessageBox::Warning);
}

void Form1::reportProblem(const QString& message) { showNotice(message); }

QMessageBox* Form1::showNotice(const QString& message)
{
    printError(QStringLiteral("kelvra: ") + message);
    auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("KELVRA"), message, QMessageBox::Ok, this);
    box->setWindowModality(Qt::NonModal);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
    return box;
}

}  // namespace kelvra
