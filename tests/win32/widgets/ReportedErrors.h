#pragma once
// Collects what the window procedures report while a test runs, instead of a box.
#include "widgets/win32/ExceptionReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ReportedErrors : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetExceptionReport([this](const std::string& message) { reported.push_back(message); });
    }
    void TearDown() override { SetExceptionReport(nullptr); }

    std::vector<std::string> reported;
};
