#pragma once

#include "archive/archive_sink.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

namespace kelvra::archive {

// --archive, --no-archive, --station, --channels and --keep-days.
class ArchiveOptions {
public:
    ArchiveOptions();
    void addTo(QCommandLineParser& parser) const;
    // Empty on success; otherwise a message naming the option and the value refused.
    QString read(const QCommandLineParser& parser, ArchiveSettings& settings) const;

private:
    QCommandLineOption archive_;
    QCommandLineOption noArchive_;
    QCommandLineOption station_;
    QCommandLineOption channels_;
    QCommandLineOption keepDays_;
};

}  // namespace kelvra::archive
