#pragma once
// Where an exception goes that leaves a message handler: window procedures catch every
// exception and hand its message to the report the application has set (its error box),
// so that nothing escapes into the system and the program goes on.
#include <functional>
#include <string>

using ExceptionReport = std::function<void(const std::string& message)>;

// Sets the report; an empty one restores the default, a system message box.
void SetExceptionReport(ExceptionReport report);

// Inside a catch block: the message of the exception being handled; exceptions that are
// not std::exception give a fixed text.
std::string CurrentExceptionMessage();

// Inside a catch block: sends the current exception's message to the report. Never throws.
void ReportCurrentException() noexcept;
