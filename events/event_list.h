#pragma once

#include <QString>

namespace kelvra::events {

// The station's list of events, <archive>/events/<stream id>.csv: one line per event, appended and
// put on the disk as the event ends, under a header line. Other programs read it while the
// recorder runs, so a line is written whole or not at all.
class EventList {
public:
    EventList(QString folder, const QString& streamId);

    const QString& path() const { return path_; }
    // Adds the line (without its line end), the header first where the file is new or empty.
    // Returns why it could not, or an empty string.
    QString append(const QString& line) const;

private:
    QString folder_;
    QString path_;
};

}  // namespace kelvra::events
