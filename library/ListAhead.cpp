#include "library/ListAhead.h"

namespace {

std::wstring Pattern(const std::wstring& folder) { return folder + L"\\*.*"; }

} // namespace

std::optional<std::vector<std::wstring>> ListLibraryFolder(const std::wstring& folder)
{
    return fw::EnumerateDirectory(Pattern(folder));
}

bool LibraryListAhead::Slice(Library& library, int preferredGroup, std::chrono::milliseconds budget)
{
    const auto until = std::chrono::steady_clock::now() + budget;
    for (;;) {
        if (!m_reader) {
            const MaterialFolder* next = library.NextUnlisted(preferredGroup);
            if (!next)
                return false;
            m_path = next->Path();
            m_reader = std::make_unique<fw::DirectoryReader>(Pattern(m_path));
        }
        if (!m_reader->ReadUntil(until))
            return true;
        // A view may have needed the folder meanwhile and listed it whole.
        const MaterialFolder* folder = library.FolderAt(m_path);
        if (folder && !folder->IsListed())
            library.StoreListing(*folder, m_reader->Take());
        m_reader.reset();
        if (std::chrono::steady_clock::now() >= until)
            return library.NextUnlisted(preferredGroup) != nullptr;
    }
}

void LibraryListAhead::Stop() { m_reader.reset(); }
