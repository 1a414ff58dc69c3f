#pragma once
// The checker's report: text for people, JSON for machines, and the exit
// status.
#include <string>

#include "checker/LibraryCheck.h"

namespace checker {

struct Tally {
    int errors = 0;
    int warnings = 0;
    int notes = 0;
};

Tally CountFindings(const CheckResult& result);

// 0 when nothing is wrong (notes allowed), 1 with warnings only, 2 with errors.
int ExitStatus(const CheckResult& result);

// One line per finding, "path: error|warning|note CODE: message", then a
// summary line.
std::wstring FormatText(const CheckResult& result, const CheckOptions& options);

// One JSON object: what was checked, the findings, the summary and the status.
std::wstring FormatJson(const CheckResult& result, const CheckOptions& options);

} // namespace checker
