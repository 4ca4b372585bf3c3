#pragma once

#include "tests/e2e/board_sim_process.h"

#include <QList>
#include <QString>

namespace kelvra::e2e {

// Index of the first byte that breaks the request cycle "0", "1", "2", "3", "0", ... begun with
// the request for `firstChannel`; -1 when every byte keeps to it.
qsizetype firstOutOfCycle(const QList<LoggedByte>& bytes, int firstChannel = 0);

struct RequestPeriods {
    double meanMs = 0.0;
    double longestMs = 0.0;
    qsizetype count = 0;
};

// Spacing of the requests received from `fromSeconds` on (the simulator's clock).
RequestPeriods requestPeriods(const QList<LoggedByte>& bytes, double fromSeconds = 0.0);

// The bytes in a readable form for failure messages, around index `at`.
QString describeBytes(const QList<LoggedByte>& bytes, qsizetype at);

}  // namespace kelvra::e2e
