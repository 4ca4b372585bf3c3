#include "app/failure_report.h"

#include "link/serial_link.h"

#include <QMessageBox>

#include <cstdio>

namespace kelvra {
namespace {

const QString kProgram = QStringLiteral("kelvra");
const QString kTitle = QStringLiteral("KELVRA");

}  // namespace

FailureReport describeFailure(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const LinkError& e) {
        return {kTitle + QStringLiteral(": ") + e.device(), e.description(),
                kProgram + QStringLiteral(": ") + e.device() + QStringLiteral(": ") + e.description()};
    } catch (const std::exception& e) {
        const QString text = QString::fromUtf8(e.what());
        return {kTitle, text, kProgram + QStringLiteral(": ") + text};
    } catch (...) {
        const QString text = QStringLiteral("unknown error");
        return {kTitle, text, kProgram + QStringLiteral(": ") + text};
    }
}

void showFailure(const FailureReport& report, QWidget* parent)
{
    printError(report.logLine);
    QMessageBox::critical(parent, report.title, report.text);
}

void printError(const QString& line)
{
    std::fputs((line + u'\n').toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

}  // namespace kelvra
