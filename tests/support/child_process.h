#pragma once

#include <QProcess>

namespace kelvra::test {

// Makes a process the test starts end with the test, however the test ends: it gets SIGTERM
// when the test process dies (a crash or an abort included) and starts with SIGINT and SIGHUP at
// their defaults, whatever the shell that ran the tests left ignored.
void endWithThisProcess(QProcess& process);

}  // namespace kelvra::test
