#include "tests/e2e/shown_recorder.h"

namespace kelvra::e2e {
namespace {

constexpr int kPatienceMs = 15000;

}  // namespace

QString ShownRecorder::start(const QStringList& boardArgs)
{
    if (!display.isOpen())
        return QStringLiteral("cannot open the X display \"%1\"").arg(qEnvironmentVariable("DISPLAY"));
    if (!board.start(boardArgs))
        return QStringLiteral("the board simulator did not start");
    recorder.setEnvironmentValue(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("kelvra.readings.debug=true"));
    if (!recorder.start(board.link(), RecorderProcess::Platform::Xcb))
        return QStringLiteral("the recorder did not start");
    window = display.waitForWindow(recorder.pid(), QStringLiteral("KELVRA(12F683)"), kPatienceMs);
    return window != 0 ? QString() : QStringLiteral("no recorder window: ") + recorder.errorOutput();
}

}  // namespace kelvra::e2e
