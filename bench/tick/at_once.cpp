// kelvra-bench-at-once ARCHIVE_DIR
// The recorder's own window, timers and archive, on a board that answers each request at once
// within the process (the simulator's signal, no serial line): beside the recorder on a real line
// it shows what the line costs, beside the bare window what the window and the recorder cost.
// SIGTERM ends it through the window's ordinary exit.

#include "app/form1.h"
#include "app/stop_signals.h"
#include "app/window_font.h"
#include "archive/archive_sink.h"
#include "bench/tick/fakes.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ARCHIVE_DIR\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    kelvra::registerFontSubstitutions();
    kelvra::bench::SeismicLink link;
    kelvra::Form1 form(link);
    kelvra::archive::ArchiveSettings settings;
    settings.root = QString::fromLocal8Bit(argv[1]);
    const auto say = [](const QString& text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    kelvra::archive::ArchiveSink sink(settings, {say, say, say});
    form.recorder().setSampleSink(&sink);
    kelvra::StopSignals stopSignals;
    QObject::connect(&stopSignals, &kelvra::StopSignals::received, &form, &kelvra::Form1::exitNormally);
    if (!form.load())
        return 1;
    form.show();
    return QApplication::exec();
}
