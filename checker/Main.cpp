// LibraryCheck: checks a material library and a language file the way the
// material manager reads them, before they ship with a machine.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "checker/LibraryCheck.h"
#include "checker/Report.h"
#include "environment/DataFolder.h"
#include "utils/HandOffRules.h"
#include "utils/LanguageTables.h"

namespace {

// The check itself could not run: a wrong argument, or no memory.
constexpr int kCannotRun = 3;

constexpr wchar_t kUsage[] =
    L"Usage: LibraryCheck [--root FOLDER] [--model MODEL]... [--language-file FILE] [--scale PERCENT]... [--json]\n"
    L"                    [--profile-only]\n"
    L"\n"
    L"Checks a material library and a language file the way the material manager reads them.\n"
    L"  --root FOLDER          the library root (default the registry's LibraryRoot, else C:\\ZOR\\)\n"
    L"  --model MODEL          R250, VTX, Vortan or VTE; repeat for several (default all four)\n"
    L"  --language-file FILE   the language file (default ~PMLang.dat in the data folder)\n"
    L"  --scale PERCENT        measure the texts at this display scale, 50 to 500; repeat for several (default 100)\n"
    L"  --json                 one JSON object instead of lines\n"
    L"  --profile-only         read every material value through the profile functions (slower, same result)\n"
    L"\n"
    L"Prints one line per finding, \"path: error|warning|note CODE: message\", and a summary.\n"
    L"Exit status: 0 clean (notes allowed), 1 warnings only, 2 errors, 3 could not run.\n";

// To a console as text; to a file or a pipe as UTF-8, so that whatever reads
// it gets every character whatever the code pages.
void Write(DWORD stream, const std::wstring& text)
{
    HANDLE out = ::GetStdHandle(stream);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    if (::GetConsoleMode(out, &mode)) {
        for (size_t done = 0; done < text.size();) {
            DWORD written = 0;
            const auto chunk = static_cast<DWORD>(std::min<size_t>(text.size() - done, 8192));
            if (!::WriteConsoleW(out, text.data() + done, chunk, &written, nullptr) || written == 0)
                return;
            done += written;
        }
        return;
    }
    const int length =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return;
    std::string bytes(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr,
                          nullptr);
    for (size_t done = 0; done < bytes.size();) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(out, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return;
        done += written;
    }
}

// The profile functions take a name without a folder as one in the Windows
// folder, so every path the checker hands on is a full one.
std::wstring FullPath(const std::wstring& path)
{
    const DWORD length = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    const DWORD written = ::GetFullPathNameW(path.c_str(), length, full.data(), nullptr);
    full.resize(written < length ? written : 0);
    return full.empty() ? path : full;
}

int Usage(const std::wstring& problem)
{
    Write(STD_ERROR_HANDLE, L"LibraryCheck: " + problem + L"\n\n" + kUsage);
    return kCannotRun;
}

int Run(int argc, wchar_t** argv)
{
    checker::CheckOptions options;
    // The root the material manager itself would read.
    options.libraryRoot = SystemLibraryRoot().root;
    options.languageFile = SystemDataFolder() + utils::kLanguageFileName;
    bool json = false;
    bool scaled = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--help" || argument == L"-h" || argument == L"/?") {
            Write(STD_OUTPUT_HANDLE, kUsage);
            return 0;
        } else if (argument == L"--json") {
            json = true;
        } else if (argument == L"--profile-only") {
            options.profileOnly = true;
        } else if (argument == L"--root" && hasValue) {
            options.libraryRoot = FullPath(argv[++i]);
        } else if (argument == L"--language-file" && hasValue) {
            options.languageFile = FullPath(argv[++i]);
        } else if (argument == L"--scale" && hasValue) {
            const std::wstring percent = argv[++i];
            const int value = percent.find_first_not_of(L"0123456789") == std::wstring::npos && percent.size() <= 3
                                  ? _wtoi(percent.c_str())
                                  : 0;
            if (value < 50 || value > 500)
                return Usage(L"the scale \"" + percent + L"\" is not a percentage from 50 to 500");
            if (!scaled)
                options.scales.clear();
            scaled = true;
            options.scales.push_back(value);
        } else if (argument == L"--model" && hasValue) {
            const std::wstring model = argv[++i];
            if (!utils::ParameterFolderName(model))
                return Usage(L"unknown model \"" + model + L"\" (R250, VTX, Vortan or VTE, in this letter case)");
            options.models.push_back(model);
        } else {
            return Usage(L"unexpected argument \"" + argument + L"\"");
        }
    }
    if (options.models.empty())
        for (const utils::ModelFolder& model : utils::kModelFolders)
            options.models.push_back(model.model);
    if (options.libraryRoot.empty() || options.libraryRoot.back() != L'\\')
        options.libraryRoot += L'\\';

    const checker::CheckResult result = checker::CheckLibrary(options);
    Write(STD_OUTPUT_HANDLE, json ? checker::FormatJson(result, options) : checker::FormatText(result, options));
    return checker::ExitStatus(result);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    try {
        return Run(argc, argv);
    } catch (...) {
        Write(STD_ERROR_HANDLE, L"LibraryCheck: out of memory\n");
        return kCannotRun;
    }
}
