#pragma once
// The Report as the run's thread writes it: clearing and appending only note what is to
// be done, and the window's thread hands it on to the pane, all lines that came since
// the last time in one change.
#include "base/CriticalSection.h"
#include "ui/ReportPane.h"

#include <string>
#include <vector>

class ReportQueue : public Report {
public:
    void Clear() override;
    void Append(const std::string& line) override;

    // On the window's thread: what was written since the last call goes to the pane.
    // Whether there was anything.
    bool DeliverTo(ReportPane& pane);
    // The last line written since the Report was last cleared; empty for none.
    std::string LastLine();

private:
    CriticalSection section_;
    bool cleared_ = false;
    std::vector<std::string> lines_;
    std::string lastLine_;
};
