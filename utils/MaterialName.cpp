#include "utils/MaterialName.h"

#include "utils/LibraryScan.h"

namespace utils {

namespace {

bool IsInvalidCharacter(wchar_t c)
{
    if (c < 0x20)
        return true;
    switch (c) {
    case L'\\':
    case L'/':
    case L':':
    case L'*':
    case L'?':
    case L'"':
    case L'<':
    case L'>':
    case L'|':
        return true;
    default:
        return false;
    }
}

wchar_t Upper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool EqualsUpper(std::wstring_view text, std::wstring_view upperAscii)
{
    if (text.size() != upperAscii.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (Upper(text[i]) != upperAscii[i])
            return false;
    return true;
}

// Digits that Windows accepts after COM and LPT: 0-9 and the superscripts 1, 2, 3.
bool IsPortDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || c == 0x00B9 || c == 0x00B2 || c == 0x00B3; }

} // namespace

std::wstring ReservedDeviceName(std::wstring_view name)
{
    // Windows looks at the part before the first dot, blanks at its end
    // ignored: "con.txt" and "CON .spi" both open the console.
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ')
        base.remove_suffix(1);
    for (std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
        if (EqualsUpper(base, device))
            return std::wstring(device);
    if (base.size() == 4 && IsPortDigit(base[3]) &&
        (EqualsUpper(base.substr(0, 3), L"COM") || EqualsUpper(base.substr(0, 3), L"LPT"))) {
        std::wstring device;
        for (wchar_t c : base)
            device.push_back(Upper(c));
        return device;
    }
    return {};
}

NameProblem CheckMaterialName(std::wstring_view name)
{
    if (name.empty())
        return NameProblem::Empty;
    if (name == L"." || name == L"..")
        return NameProblem::LeavesFolder;
    for (wchar_t c : name)
        if (IsInvalidCharacter(c))
            return NameProblem::InvalidCharacter;
    if (!ReservedDeviceName(name).empty())
        return NameProblem::ReservedName;
    if (name.back() == L'.' || name.back() == L' ')
        return NameProblem::TrailingDotOrBlank;
    return NameProblem::None;
}

std::wstring MaterialItemText(const std::wstring& fileName, std::size_t cut)
{
    if (fileName.size() <= cut)
        return fileName;
    return fileName.substr(0, fileName.size() - cut);
}

std::wstring MaterialNameOfPath(std::wstring_view path, std::wstring_view extension)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    const std::wstring fileName(slash == std::wstring_view::npos ? path : path.substr(slash + 1));
    const std::wstring text = MaterialItemText(fileName, extension.size());
    return SameNameIgnoringCase(std::wstring_view(fileName).substr(text.size()), extension) ? text : fileName;
}

std::wstring OwnTempFileName(unsigned number)
{
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring name = L"~mm";
    for (int shift = 12; shift >= 0; shift -= 4)
        name.push_back(kHex[(number >> shift) & 0xF]);
    return name + L".tmp";
}

bool IsOwnTempFileName(std::wstring_view name)
{
    constexpr std::size_t kFixed = 7; // "~mm" and ".tmp"
    if (name.size() <= kFixed || name.size() > kOwnTempNameLength || name[0] != L'~' || Upper(name[1]) != L'M' ||
        Upper(name[2]) != L'M' || !EqualsUpper(name.substr(name.size() - 4), L".TMP"))
        return false;
    for (wchar_t c : name.substr(3, name.size() - kFixed)) {
        const wchar_t upper = Upper(c);
        if (!((upper >= L'0' && upper <= L'9') || (upper >= L'A' && upper <= L'F')))
            return false;
    }
    return true;
}

SavePathProblem CheckSavePath(std::wstring_view folder, std::wstring_view fileName)
{
    if (folder.size() > kMaxSaveFolderLength)
        return SavePathProblem::FolderTooLong;
    if (folder.size() + 1 + fileName.size() > kMaxPathLength)
        return SavePathProblem::PathTooLong;
    return SavePathProblem::None;
}

std::wstring NameProblemMessage(NameProblem problem, std::wstring_view name)
{
    switch (problem) {
    case NameProblem::None:
        return {};
    case NameProblem::Empty:
        return L"Please input the file name ";
    case NameProblem::LeavesFolder:
        return L"The material must be saved in the \"Customize\" folder. Please choose another file name.";
    case NameProblem::InvalidCharacter:
        return L"A file name can't contain \\ / : * ? \" < > | or control characters. Please choose another file name.";
    case NameProblem::ReservedName:
        return L"\"" + ReservedDeviceName(name) +
               L"\" is a device name reserved by Windows. Please choose another file name.";
    case NameProblem::TrailingDotOrBlank:
        return L"A file name can't end with a dot or a blank. Please choose another file name.";
    }
    return {};
}

std::wstring PathTooLongMessage()
{
    return L"The file name is too long: the material's full path would be longer than 259 characters. "
           L"Please choose a shorter file name.";
}

std::wstring MaterialNotSavedMessage(std::wstring_view path)
{
    return L"The material could not be saved as\n" + std::wstring(path) +
           L"\nThe \"Customize\" folder may be missing or read-only. The material was not saved.";
}

std::wstring NoCustomizeFolderMessage()
{
    return L"The material can't be saved: the group has no \"Customize\" folder.";
}

std::wstring HandOffNotWrittenMessage(std::wstring_view path)
{
    return L"The choice could not be handed to the driver:\n" + std::wstring(path) +
           L"\ncould not be written. Please check that the folder exists and can be written, then try again.";
}

} // namespace utils
