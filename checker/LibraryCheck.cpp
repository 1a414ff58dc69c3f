#include "checker/LibraryCheck.h"

namespace checker {

CheckResult CheckLibrary(const CheckOptions& options)
{
    CheckResult result;
    CheckTree(options, result);
    CheckLanguageFile(options, result);
    return result;
}

} // namespace checker
