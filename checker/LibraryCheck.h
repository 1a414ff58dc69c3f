#pragma once
// The library checker: reads a library root and a language file the way the
// material manager reads them, and reports what its operator would see wrong.
// Nothing is written: where the program would create a "Customize" folder,
// the checker only says so.
#include <string>
#include <vector>

#include "checker/Findings.h"

namespace checker {

struct CheckOptions {
    std::wstring libraryRoot;         // ends in a backslash
    std::vector<std::wstring> models; // model names as the driver hands them over
    std::wstring languageFile;
    // Every material through the profile functions, none from its bytes; the
    // findings are the same, only slower to get.
    bool profileOnly = false;
    // The display scales, in percent, at which the texts are measured
    // against their places.
    std::vector<int> scales{100};
};

struct CheckCounts {
    int models = 0;
    int groups = 0;
    int categories = 0;
    int materials = 0;
    int languageSections = 0;
};

struct CheckResult {
    std::vector<Finding> findings; // in the order the library and the file were walked
    CheckCounts counts;
};

CheckResult CheckLibrary(const CheckOptions& options);

// The library tree and its material files, for each model of the options.
void CheckTree(const CheckOptions& options, CheckResult& result);
// The language file, for the texts that the models of the options show.
void CheckLanguageFile(const CheckOptions& options, CheckResult& result);

} // namespace checker
