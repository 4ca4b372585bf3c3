#pragma once

#include <QString>

#include <exception>

class QWidget;

namespace kelvra {

// What the user is told when an error ends the program.
struct FailureReport {
    QString title;
    QString text;
    QString logLine;
};

// A serial-line error names its device; anything else gives its own description.
FailureReport describeFailure(std::exception_ptr error);

// Adds a paragraph of advice, e.g. which other ports there are; nothing when it is empty.
void appendAdvice(FailureReport& report, const QString& advice);

// Modal: returns once the user has acknowledged it. Also printed on stderr.
void showFailure(const FailureReport& report, QWidget* parent);

// One line on stderr, in the program's name.
void printError(const QString& line);

}  // namespace kelvra
