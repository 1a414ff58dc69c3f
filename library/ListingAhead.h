#pragma once
// The library's folders listed on a worker thread while the window is being
// made, handed to the scan where it runs: the scan's lists, ranges, order and
// folder creation stay its own, only its waiting for the file system overlaps
// with the window's creation.
#include <string>
#include <thread>

#include "utils/LibraryScan.h"

class ListingAhead {
public:
    ListingAhead() = default;
    ListingAhead(const ListingAhead&) = delete;
    ListingAhead& operator=(const ListingAhead&) = delete;
    ~ListingAhead();

    // Starts listing the tree below paramFolder (no trailing backslash).
    void Start(std::wstring paramFolder, utils::FolderLister list);

    // A lister for the scan of paramFolder: the listings taken ahead when
    // they are of that folder, each handed out once, and `live` for every
    // other folder and every later call. Waits for the worker to finish.
    utils::FolderLister Take(const std::wstring& paramFolder, utils::FolderLister live);

private:
    void Wait();

    std::thread m_worker;
    std::wstring m_paramFolder;
    utils::FolderListings m_listings;
    bool m_complete = false;
};
