#pragma once

#include "archive/archive_sink.h"
#include "detector/detector_settings.h"
#include "detector/event_detector.h"
#include "events/event_command.h"
#include "events/event_files.h"
#include "events/event_list.h"

#include <QStringList>

#include <array>
#include <functional>
#include <memory>
#include <optional>

namespace kelvra::events {

struct EventNotices {
    std::function<void(const QString&)> note;                                 // standard error
    std::function<void(const QString& summary, const QString& body)> notify;  // the desktop's notice
};

// The detector on the archive's samples, on the archive's thread. An event that ends is added to
// the event list, said on standard error and shown as a desktop notice at once; its miniSEED file
// follows a minute later, and then the on_event command runs, so that the file it is given exists.
class LiveDetection final : public archive::SampleListener {
public:
    // The settings must have been checked (checkedSettingsProblem below).
    LiveDetection(const detector::DetectorSettings& settings, const archive::ArchiveSettings& archive,
                  EventNotices notices);

    void take(const std::vector<archive::Sample>& samples) override;
    void finish() override;

    // Why the recorder cannot detect with these settings, or empty.
    static QString problemWith(const detector::DetectorSettings& settings, const archive::StationCodes& codes);

private:
    void ended(const std::vector<detector::DetectedEvent>& events);
    void written(const std::vector<EventFiles::Written>& files);

    std::array<int, kChannelCount> streamOf_{};  // -1 where the channel is not watched
    QStringList streamCodes_;
    detector::EventDetector detector_;
    EventList list_;
    EventFiles files_;
    std::optional<EventCommand> command_;
    EventNotices notices_;
    bool listFailing_ = false;
};

}  // namespace kelvra::events
