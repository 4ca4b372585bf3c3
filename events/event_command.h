#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace kelvra::events {

// The user's on_event command, run through /bin/sh for every event with the event's fields in its
// environment. It runs in a session of its own and is waited for on a thread of its own, so a slow
// command holds up nothing, and the recorder's exit leaves it running. The first failure (it could
// not start, or ended with a non-zero status or by a signal) is reported; later ones are not.
class EventCommand {
public:
    using Environment = std::vector<std::pair<QString, QString>>;

    EventCommand(QString command, std::function<void(const QString&)> report);
    void run(const Environment& fields);

private:
    QString command_;
    struct Shared;
    std::shared_ptr<Shared> shared_;
};

}  // namespace kelvra::events
