#pragma once

#include "app/text_widths.h"
#include "recorder/clock.h"
#include "recorder/form_view.h"
#include "recorder/recorder.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <array>
#include <exception>
#include <functional>
#include <optional>

class QCloseEvent;
class QFrame;
class QLabel;
class QPushButton;

namespace kelvra {

class AxisLabel;
class ChartSurface;
class RecorderTimer;
class RepaintPacer;
class StatusHold;
class SerialLink;

// The recorder's one window. It lays out the controls, hands every event to the Recorder and
// carries out the Recorder's drawing, label and timer requests. An error that escapes the
// Recorder is reported and ends the program; none crosses the event loop.
class Form1 : public QWidget, public FormView {
    Q_OBJECT
public:
    explicit Form1(SerialLink& link, QWidget* parent = nullptr);
    Form1(SerialLink& link, Clock& clock, QWidget* parent = nullptr);
    // The unload step: closes the port unless the exit path already did.
    ~Form1() override;

    // Start-up: call once, before the window is first shown. On an error it reports it and
    // returns false; the window must then not be shown. A serial-line error's report ends with
    // `portAdvice`, when given.
    bool load(const std::function<QString()>& portAdvice = {});

    Recorder& recorder() { return recorder_; }

    // The one orderly way out, for a confirmed exit and a stop signal alike: no more ticks, the
    // port closed (once), then out of the event loop with status 0. Whatever must be finished
    // before the program ends belongs in closePort().
    void exitNormally() noexcept;

    float chartWidth(int chart) const override;
    float chartHeight(int chart) const override;
    void setPenWidth(int chart, int pixels) override;
    VerticalBand lineReach(int chart) const override;
    void drawLine(int chart, float x1, float y1, float x2, float y2,
                  std::optional<Rgb> colour = std::nullopt) override;
    void clearChart(int chart) override;
    void setLabelText(LabelId label, const QString& text) override;
    void setLabelBackground(LabelId label, Rgb colour) override;
    void setTimerInterval(TimerId timer, int milliseconds) override;
    void setTimerIdle(TimerId timer, bool idle) override;
    void reportProblem(const QString& message) override;
    // The archive's notice, one box that each new state replaces: what went wrong, or that it
    // works again.
    void reportArchiveState(const QString& message, bool working);

    // The controls, owned by the window.
    QPushButton* Command1 = nullptr;  // ＥＸＩＴ
    QPushButton* Command2 = nullptr;  // 保　存
    QPushButton* Command3 = nullptr;  // Restart
    QPushButton* Command4 = nullptr;  // Free
    QPushButton* Command5 = nullptr;  // １分
    QPushButton* Command6 = nullptr;  // ５分
    QPushButton* Command7 = nullptr;  // 20分
    QLabel* Label1 = nullptr;  // CH-1 value
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;  // link status
    QLabel* Label6 = nullptr;  // clock
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    AxisLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QLabel* Label18 = nullptr;
    AxisLabel* Label19 = nullptr;
    AxisLabel* Label20 = nullptr;
    AxisLabel* Label21 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label24 = nullptr;
    QLabel* Label25 = nullptr;
    QLabel* Label26 = nullptr;
    QLabel* Label27 = nullptr;
    QLabel* Label28 = nullptr;
    QLabel* Label29 = nullptr;
    QLabel* Label30 = nullptr;  // sweep mode
    QFrame* Frame1 = nullptr;
    QFrame* Frame2 = nullptr;
    QFrame* Frame3 = nullptr;
    ChartSurface* GP1 = nullptr;
    ChartSurface* GP2 = nullptr;
    ChartSurface* GP3 = nullptr;
    ChartSurface* GP4 = nullptr;
    RecorderTimer* Timer1 = nullptr;
    RecorderTimer* Timer2 = nullptr;

protected:
    // Every close request (Command1, the close box, the window manager, a session ending)
    // asks first; Yes closes the port and ends the program with status 0.
    void closeEvent(QCloseEvent* event) override;

private:
    QMessageBox* showNotice(const QString& message);

    // Layout, in form1_layout.cpp.
    void createControls();
    void createWindowLabels();
    void createFrames();
    void createCharts();
    void createButtons();
    void setKeyboardFocusOrder();

    void connectEvents();
    template <typename Handler>
    void handle(Handler&& handler) noexcept;
    // The program is ending: no more ticks, and no more events handled.
    void stopForGood() noexcept;
    void endWithError(std::exception_ptr error) noexcept;
    bool confirmExit();
    void closePort();
    void sendSaveChord();
    void timer1Tick();
    void timer2Tick();

    ChartSurface& chart(int index) const;
    QLabel& label(LabelId id) const;
    RecorderTimer& timer(TimerId id) const;

    TextWidths valueWidths_;
    // The background each label was last given, by LabelId.
    static constexpr std::size_t kLabelIds = static_cast<std::size_t>(LabelId::Label30) + 1;
    std::array<std::optional<Rgb>, kLabelIds> backgrounds_{};
    RepaintPacer* pacer_ = nullptr;
    StatusHold* statusHold_ = nullptr;
    SystemClock systemClock_;
    SerialLink& link_;
    Recorder recorder_;
    bool ending_ = false;
    bool portClosed_ = false;
    QPointer<QMessageBox> archiveNotice_;  // null once the user closed it
};

}  // namespace kelvra
