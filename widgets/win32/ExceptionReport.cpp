#include "widgets/win32/ExceptionReport.h"

#include <windows.h>

#include <exception>

namespace {

const char* const UnknownExceptionText = "Unknown error";

ExceptionReport& CurrentReport()
{
    static ExceptionReport report;
    return report;
}

} // namespace

void SetExceptionReport(ExceptionReport report)
{
    CurrentReport() = std::move(report);
}

std::string CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return UnknownExceptionText;
    }
}

void ReportCurrentException() noexcept
{
    try {
        const std::string message = CurrentExceptionMessage();
        const ExceptionReport report = CurrentReport();
        if (report)
            report(message);
        else
            MessageBoxA(nullptr, message.c_str(), nullptr, MB_OK | MB_ICONSTOP);
    } catch (...) {
        // The report itself failed (out of memory, most likely): nothing more can be shown.
    }
}
