#include "app/failure_report.h"

#include "link/serial_link.h"

#include <QCoreApplication>
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
        const QString text = QCoreApplication::translate("kelvra::FailureReport", "unknown error");
        return {kTitle, text, kProgram + QStringLiteral(": ") + text};
    }
}

void appendAdvice(FailureReport& report, const QString& advice)
{
    if (advice.isEmpty())
        return;
    report.text += QStringLiteral("\n\n") + advice;
    report.logLine += u'\n' + advice;
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
