#include "utils/NameIndex.h"

#include <algorithm>
#include <utility>

#include "utils/MaterialName.h"

namespace utils {

namespace {

constexpr wchar_t kBreak = L'\n';

// FNV-1a over the names and the cut: a folder listed afresh after the library
// was opened again may come back with the version it had before, but not
// with the same names unless nothing changed.
std::uint64_t Fingerprint(const std::vector<std::wstring>& names, std::size_t cut)
{
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](std::uint64_t value) {
        hash ^= value;
        hash *= 1099511628211ull;
    };
    mix(cut);
    for (const std::wstring& name : names) {
        for (const wchar_t c : name)
            mix(static_cast<std::uint64_t>(c));
        mix(0x10000u); // no code unit has this value: the end of a name
    }
    return hash;
}

void DropBreaks(std::wstring& text) { std::erase(text, kBreak); }

const std::vector<std::wstring>& FilesOf(const IndexedFolder& folder)
{
    static const std::vector<std::wstring> none;
    return folder.files ? *folder.files : none;
}

} // namespace

NameIndex::NameIndex(TextFold fold, OrderKey order) : m_fold(std::move(fold)), m_order(std::move(order)) {}

bool NameIndex::NeedsWork(const std::vector<IndexedFolder>& folders) const
{
    return !std::all_of(folders.begin(), folders.end(), [this](const IndexedFolder& folder) {
        return std::any_of(m_entries.begin(), m_entries.end(), [&folder](const Entry& entry) {
            return entry.path == folder.path && entry.version == folder.version &&
                   entry.count == FilesOf(folder).size();
        });
    });
}

std::size_t NameIndex::Update(const std::vector<IndexedFolder>& folders)
{
    std::vector<Entry> next;
    next.reserve(folders.size());
    std::vector<bool> taken(m_entries.size(), false);
    std::size_t built = 0;
    for (const IndexedFolder& folder : folders) {
        const std::vector<std::wstring>& files = FilesOf(folder);
        const std::uint64_t hash = Fingerprint(files, folder.cut);
        bool kept = false;
        for (std::size_t i = 0; i < m_entries.size() && !kept; ++i) {
            const Entry& old = m_entries[i];
            if (taken[i] || old.path != folder.path || old.version != folder.version || old.count != files.size() ||
                old.hash != hash)
                continue;
            taken[i] = kept = true;
            next.push_back(std::move(m_entries[i]));
        }
        if (kept)
            continue;
        Entry& entry = next.emplace_back();
        entry.path = folder.path;
        entry.version = folder.version;
        entry.count = files.size();
        entry.hash = hash;
        Build(entry, folder);
        ++built;
    }
    m_entries = std::move(next);
    return built;
}

void NameIndex::Build(Entry& entry, const IndexedFolder& folder) const
{
    const std::vector<std::wstring>& files = FilesOf(folder);
    std::vector<std::wstring> texts;
    texts.reserve(files.size());
    for (const std::wstring& name : files)
        texts.push_back(MaterialItemText(name, folder.cut));

    // The list sorts its items by text, equal texts in listing order.
    std::vector<std::pair<std::string, std::uint32_t>> order;
    order.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i)
        order.emplace_back(m_order ? m_order(texts[i]) : std::string(), static_cast<std::uint32_t>(i));
    std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });

    const std::vector<std::wstring> folded = FoldAll(texts);
    std::size_t length = 0;
    for (const std::wstring& text : folded)
        length += text.size() + 1;
    entry.folded.reserve(length);
    entry.starts.reserve(texts.size() + 1);
    entry.files.reserve(texts.size());
    for (const auto& [key, file] : order) {
        entry.starts.push_back(static_cast<std::uint32_t>(entry.folded.size()));
        entry.folded += folded[file];
        entry.folded += kBreak;
        entry.files.push_back(file);
    }
    entry.starts.push_back(static_cast<std::uint32_t>(entry.folded.size()));
}

std::vector<std::wstring> NameIndex::FoldAll(const std::vector<std::wstring>& texts) const
{
    std::vector<std::wstring> folded;
    if (!m_fold)
        return texts;
    const bool joinable = std::none_of(
        texts.begin(), texts.end(), [](const std::wstring& text) { return text.find(kBreak) != std::wstring::npos; });
    if (joinable) {
        // One call for the whole folder: the system's text functions cost
        // far more per call than per character.
        std::wstring joined;
        for (const std::wstring& text : texts)
            joined.append(text).push_back(kBreak);
        const std::wstring all = m_fold(joined);
        std::size_t from = 0;
        for (std::size_t at = all.find(kBreak); at != std::wstring::npos; at = all.find(kBreak, from)) {
            folded.push_back(all.substr(from, at - from));
            from = at + 1;
        }
        if (folded.size() == texts.size() && from == all.size())
            return folded;
    }
    folded.clear();
    for (const std::wstring& text : texts) {
        folded.push_back(m_fold(text));
        DropBreaks(folded.back());
    }
    return folded;
}

std::wstring NameIndex::FoldQuery(std::wstring_view typed) const
{
    // A pasted text may bring line breaks and tabs, which no name holds.
    std::wstring clean;
    for (const wchar_t c : typed)
        if (c >= L' ')
            clean.push_back(c);
    return m_fold ? m_fold(clean) : clean;
}

NameSearch NameIndex::Search(std::wstring_view typed, std::size_t limit) const
{
    NameSearch result;
    const std::wstring query = FoldQuery(typed);
    if (query.empty())
        return result;
    std::vector<NameHit> others;
    for (std::size_t f = 0; f < m_entries.size(); ++f) {
        const Entry& entry = m_entries[f];
        const std::wstring_view text = entry.folded;
        auto name = entry.starts.begin();
        for (std::size_t at = text.find(query); at != std::wstring_view::npos;) {
            // The name that holds the match; its first match decides.
            name = std::prev(std::upper_bound(name, entry.starts.end(), static_cast<std::uint32_t>(at)));
            const auto index = static_cast<std::size_t>(name - entry.starts.begin());
            const bool prefix = at == *name;
            std::vector<NameHit>& into = prefix ? result.shown : others;
            if (into.size() < limit)
                into.push_back({f, entry.files[index], prefix});
            ++result.total;
            at = text.find(query, *std::next(name));
        }
    }
    for (const NameHit& hit : others) {
        if (result.shown.size() >= limit)
            break;
        result.shown.push_back(hit);
    }
    return result;
}

} // namespace utils
