#pragma once

#include "tests/e2e/board_sim_process.h"
#include "tests/e2e/recorder_process.h"
#include "tests/e2e/x11_display.h"

#include <QString>
#include <QStringList>

namespace kelvra::e2e {

// Readings far enough apart that each channel's trace has rows of its own.
const QString kConstantReadings = QStringLiteral("100,400,700,1000");
const double kReadings[] = {100, 400, 700, 1000};

// A board simulator and the recorder attached to it, shown on the X display. Members end in
// reverse order: the recorder before the board it talks to.
struct ShownRecorder {
    BoardSimProcess board;
    RecorderProcess recorder;
    X11Display display;
    WindowId window = 0;

    // Starts both, the recorder telling on stderr what it gave each chart (screen::plottedReadings),
    // and waits for the recorder's window; empty when all went well, else the problem.
    QString start(const QStringList& boardArgs);
};

}  // namespace kelvra::e2e
