#include "library/ListingAhead.h"

#include <memory>
#include <utility>

ListingAhead::~ListingAhead() { Wait(); }

void ListingAhead::Start(std::wstring paramFolder, utils::FolderLister list)
{
    Wait();
    m_paramFolder = std::move(paramFolder);
    m_listings.clear();
    m_complete = false;
    try {
        m_worker = std::thread([this, list = std::move(list)] {
            try {
                m_listings = utils::ListLibraryTree(m_paramFolder, list);
                m_complete = true;
            } catch (...) {
                // Without the listings the scan lists every folder itself.
                m_listings.clear();
            }
        });
    } catch (...) {
        m_paramFolder.clear();
    }
}

void ListingAhead::Wait()
{
    if (m_worker.joinable())
        m_worker.join();
}

utils::FolderLister ListingAhead::Take(const std::wstring& paramFolder, utils::FolderLister live)
{
    Wait();
    const bool usable = m_complete && !paramFolder.empty() && paramFolder == m_paramFolder;
    m_complete = false;
    m_paramFolder.clear();
    if (!usable) {
        m_listings.clear();
        return live;
    }
    auto listings = std::make_shared<utils::FolderListings>(std::move(m_listings));
    m_listings.clear();
    return [listings, live = std::move(live)](const std::wstring& folder) {
        auto taken = listings->extract(folder);
        return taken.empty() ? live(folder) : std::move(taken.mapped());
    };
}
