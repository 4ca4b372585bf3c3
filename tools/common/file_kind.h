#pragma once

#include <QString>

namespace kelvra::tools {

// What stands at `path` when it is something other than a regular file, a link to one, or
// nothing at all: "a directory", "a FIFO", "a symbolic link loop" and so on; empty otherwise,
// also when it cannot be looked at, which whoever opens it then reports.
QString notARegularFile(const QString& path);

}  // namespace kelvra::tools
