// Start-up, listing, save, group-switch, refresh and find timings of the
// main dialog over generated libraries, each also as a ratio to an empty
// dialog's start-up measured in the same run, and the empty start-up against
// the same dialog template with nothing of ours in it; what an open window
// with nothing changing costs. Usage: mm_bench [sizes...]  (default
// 1000 10000 100000), or mm_bench --library FOLDER COUNT to write a library only.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dialog/MaterialDialog.h"
#include "framework/Application.h"
#include "resources/resource.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// How long an open window is watched with nothing changing.
constexpr double kIdleSeconds = 2.0;

double MillisecondsOf(const std::function<void()>& work)
{
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Best of a few runs: the least disturbed measurement of the same work.
double Best(int runs, const std::function<double()>& measure)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, measure());
    return best;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

size_t PrivateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    // Wine leaves PrivateUsage empty; the commit charge is the same figure.
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

void WriteMaterial(const fs::path& file, int n)
{
    std::ofstream out(file, std::ios::binary);
    out << "[OPTION]\r\nMARK_MODE=" << (n % 4 + 1) << "\r\nRESOLUTION=500\r\n[PEN]\r\nPEN1SPEED=" << (n % 1000)
        << "\r\nPEN1POWER=" << (n % 100) << "\r\nPEN1PPI=500\r\n";
}

// Three groups of seven categories under parameter_R250. Group 1's first
// category holds 1,000 materials and its second 5,000 (as far as the total
// allows); the rest are spread over all other categories.
void MakeLibrary(const fs::path& root, int total)
{
    const fs::path model = root / L"parameter_R250";
    std::vector<fs::path> categories;
    for (int g = 1; g <= 3; ++g)
        for (int c = 0; c < 7; ++c) {
            categories.push_back(model / (std::to_wstring(g) + L"_Group") / (L"Category" + std::to_wstring(c)));
            fs::create_directories(categories.back());
        }
    int written = 0;
    const int firstTwo[2] = {1000, 5000};
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < firstTwo[c] && written < total; ++i, ++written)
            WriteMaterial(categories[c] / (L"Material" + std::to_wstring(100000 + written) + L".VX"), written);
    for (int i = 0; written < total; ++i, ++written)
        WriteMaterial(categories[2 + i % (categories.size() - 2)] /
                          (L"Material" + std::to_wstring(100000 + written) + L".VX"),
                      written);
}

struct Session {
    fs::path data;
    fs::path root;
};

// Start-up until the dialog is shown, painted and its queue is empty.
double StartUp(const Session& s, std::unique_ptr<MaterialDialog>& out)
{
    return MillisecondsOf([&] {
        out = std::make_unique<MaterialDialog>(nullptr);
        out->SetLibraryRoot(s.root.wstring() + L"\\");
        out->SetDataFolderOverride(s.data.wstring() + L"\\");
        out->Create(nullptr);
        ::UpdateWindow(out->Hwnd());
        Pump();
    });
}

void WriteHandOff(const fs::path& data)
{
    fs::create_directories(data);
    std::ofstream(data / L"~Drv2Ma.dat", std::ios::binary)
        << "[MachInfo]\r\nDevice=R250\r\n[Language]\r\nLang=English\r\n";
}

ULONGLONG ProcessorTime100ns()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](const FILETIME& time) {
        return ULARGE_INTEGER{{time.dwLowDateTime, time.dwHighDateTime}}.QuadPart;
    };
    return value(kernel) + value(user);
}

// Delivers messages as they come for `ms`, timers included, or until `done`.
void PumpFor(
    DWORD ms, const std::function<bool()>& done = [] { return false; })
{
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    for (auto now = Clock::now(); now < end && !done(); now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        Pump();
    }
}

// An open window with nothing changing: how often its thread is woken (each
// wake delivers one or more messages) and the processor time the whole
// process uses, both per second over `seconds`.
struct Idle {
    double wakeupsPerSecond = 0.0;
    double processorMsPerSecond = 0.0;
};
Idle MeasureIdle(double seconds)
{
    Pump();
    const ULONGLONG cpuBefore = ProcessorTime100ns();
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    int wakeups = 0;
    for (auto now = start; now < end; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left) + 1, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
            WAIT_OBJECT_0)
            continue;
        ++wakeups;
        Pump();
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpuMs = static_cast<double>(ProcessorTime100ns() - cpuBefore) / 10'000.0;
    return {wakeups / elapsed, cpuMs / elapsed};
}

// The name the next Save-as dialog is given.
std::wstring g_saveAsName;

// Answers the program's dialogs: the Save-as dialog gets g_saveAsName, a
// message box (none is expected here) its OK.
LRESULT CALLBACK AnswerDialogs(int code, WPARAM w, LPARAM l)
{
    if (code == HCBT_ACTIVATE) {
        const auto hwnd = reinterpret_cast<HWND>(w);
        wchar_t cls[16] = {};
        ::GetClassNameW(hwnd, cls, 16);
        // Only dialogs owned by the main dialog, never the main dialog itself.
        if (std::wstring(cls) == L"#32770" && ::GetWindow(hwnd, GW_OWNER)) {
            if (HWND name = ::GetDlgItem(hwnd, IDC_FILE_NAME))
                ::SetWindowTextW(name, g_saveAsName.c_str());
            ::PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, w, l);
}

INT_PTR CALLBACK BareDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG ? TRUE : FALSE; }

// The Save-as template with nothing of ours: the part of a Save as that is
// the system making, showing and ending a modal dialog.
INT_PTR CALLBACK BareSaveAsProc(HWND hwnd, UINT msg, WPARAM w, LPARAM)
{
    if (msg == WM_COMMAND && LOWORD(w) == IDOK)
        ::EndDialog(hwnd, IDOK);
    return msg == WM_INITDIALOG ? TRUE : FALSE;
}

// The floor of every start-up: the main dialog's template made and shown by
// the system alone, with no skin, pictures, library or handler of ours.
double BareStartUp()
{
    HWND bare = nullptr;
    const double ms = MillisecondsOf([&] {
        bare = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_MATERIAL_MANAGER), nullptr,
                                    BareDialogProc, 0);
        ::UpdateWindow(bare);
        Pump();
    });
    ::DestroyWindow(bare);
    Pump();
    return ms;
}

// Selects the list's first item and loads it, as a click on it does.
void LoadFirstMaterial(MaterialDialog& d)
{
    HWND list = ::GetDlgItem(d.Hwnd(), IDC_MATERIAL_LIST);
    LVITEMW item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    LRESULT result = 0;
    d.OnMaterialListClick(&result);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // mm_bench --library FOLDER COUNT: only writes a library of COUNT materials
    // into FOLDER, for timing the library checker over it.
    if (argc == 4 && std::wstring(argv[1]) == L"--library") {
        MakeLibrary(argv[2], _wtoi(argv[3]));
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    // As the program: OLE on the dialog's thread, for the imaging component.
    const fw::OleApartment ole;
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, AnswerDialogs, nullptr, ::GetCurrentThreadId());

    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(_wtoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 10000, 100000};

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const fs::path base = fs::path(temp) / (L"mm_bench_" + std::to_wstring(::GetCurrentProcessId()));
    fs::remove_all(base);

    // The empty dialog: the model's folder holds no group.
    Session empty{base / L"empty" / L"Data", base / L"empty" / L"ZOR"};
    fs::create_directories(empty.root / L"parameter_R250");
    WriteHandOff(empty.data);
    size_t emptyMemory = 0;
    const auto emptyStartUp = [&] {
        std::unique_ptr<MaterialDialog> dialog;
        const double ms = StartUp(empty, dialog);
        emptyMemory = PrivateBytes();
        dialog.reset();
        Pump();
        return ms;
    };
    // Start-up times vary from run to run under a window system; the empty
    // dialog is measured again beside each library, and the ratios use that.
    // The empty and the bare dialog in turns, so a change of the machine's
    // load meets both alike; the first runs of a process make what the system
    // makes once (classes, fonts, caches) and are not counted.
    double emptyStart = 1e300;
    double bareStart = 1e300;
    for (int run = -3; run < 7; ++run) {
        const double empty = emptyStartUp();
        const double bare = BareStartUp();
        if (run >= 0) {
            emptyStart = std::min(emptyStart, empty);
            bareStart = std::min(bareStart, bare);
        }
    }
    // A process keeps much of the heap a larger library's dialog grew, so the
    // empty dialog's memory is the one taken before any library was shown.
    const size_t baseMemory = emptyMemory;

    std::printf("%-10s %-38s %12s %8s\n", "materials", "measure", "value", "ratio");
    std::printf("%-10s %-38s %9.1f ms %8.2f\n", "0", "start-up (empty dialog)", emptyStart, 1.0);
    std::printf("%-10s %-38s %9.1f ms %8.2f\n", "0", "empty start-up against the bare dialog", bareStart,
                emptyStart / bareStart);
    std::printf("%-10s %-38s %8.1f MiB %8.2f\n", "0", "private memory after start-up",
                static_cast<double>(emptyMemory) / (1024.0 * 1024.0), 1.0);
    std::fflush(stdout);

    for (int total : sizes) {
        Session s{base / std::to_wstring(total) / L"Data", base / std::to_wstring(total) / L"ZOR"};
        WriteHandOff(s.data);
        MakeLibrary(s.root, total);

        std::unique_ptr<MaterialDialog> dialog;
        StartUp(s, dialog); // warms the file system caches
        size_t memory = 0;
        double start = 1e300;
        emptyStart = 1e300;
        for (int run = 0; run < 7; ++run) {
            dialog.reset();
            Pump();
            emptyStart = std::min(emptyStart, emptyStartUp());
            start = std::min(start, StartUp(s, dialog));
            memory = PrivateBytes();
        }
        MaterialDialog& d = *dialog;

        // What idle moments list ahead, slice by slice: a click waits for at
        // most one slice.
        double worstSlice = 0.0;
        const double listAhead = MillisecondsOf([&] {
            for (bool more = true; more;)
                worstSlice = std::max(worstSlice, MillisecondsOf([&] { more = d.ListAheadSlice(); }));
        });
        // The first showing of a category, its listing (and that of the
        // group's earlier categories, for the picture numbers) included: each
        // run on a dialog just started.
        auto firstShowing = [&](int slot) {
            return Best(3, [&] {
                std::unique_ptr<MaterialDialog> fresh;
                StartUp(s, fresh);
                return MillisecondsOf([&] {
                    fresh->OnSlotClicked(slot);
                    ::UpdateWindow(fresh->Hwnd());
                    Pump();
                });
            });
        };
        const double fill1000 = firstShowing(0);
        const double fill5000 = total >= 6000 ? firstShowing(1) : -1.0;
        // The same category shown again, listed and with its pictures made:
        // what the list's filling alone costs.
        const auto showingAgain = [&] {
            d.OnSlotClicked(0);
            Pump();
            return MillisecondsOf([&] {
                d.OnSlotClicked(1);
                ::UpdateWindow(d.Hwnd());
                Pump();
            });
        };
        const double again5000 = total >= 6000 ? Best(3, showingAgain) : -1.0;
        // Save as from a loaded material until the "Customize" view shows the
        // new one, the Save-as dialog's own making included.
        int saves = 0;
        const double saveAs = Best(3, [&] {
            d.OnSlotClicked(0);
            LoadFirstMaterial(d);
            g_saveAsName = L"Bench save " + std::to_wstring(++saves);
            return MillisecondsOf([&] {
                d.SaveAsAction();
                ::UpdateWindow(d.Hwnd());
                Pump();
            });
        });
        const double bareSaveAs = Best(3, [&] {
            return MillisecondsOf([&] {
                ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SAVE_AS), d.Hwnd(), BareSaveAsProc,
                                  0);
                Pump();
            });
        });
        // A group switch: the click and every tick of the animation, delivered
        // without waiting for the 20 ms timer. The worst single tick tells
        // whether the animation keeps to the timer.
        double worstTick = 0.0;
        const double groupSwitch = Best(3, [&] {
            return MillisecondsOf([&] {
                const int next = d.CurrentGroup() == 1 ? 2 : 1;
                d.OnGroupClicked(next);
                for (int tick = 0; tick < 26; ++tick)
                    worstTick = std::max(worstTick, MillisecondsOf([&] {
                                             d.OnTimer(static_cast<UINT_PTR>(next));
                                             ::UpdateWindow(d.Hwnd());
                                         }));
                for (UINT_PTR id = 1; id <= 3; ++id)
                    ::KillTimer(d.Hwnd(), id);
                ::UpdateWindow(d.Hwnd());
                Pump();
            });
        });

        // Another station adds a material to the shown category (the one
        // of 5000 where there is one): the refresh that shows it, against
        // that category's first showing. Then the same window with nothing
        // changing: its wake-ups and processor time.
        const int shownSlot = total >= 6000 ? 1 : 0;
        double refresh = 1e300;
        Idle idle;
        {
            std::unique_ptr<MaterialDialog> open;
            StartUp(s, open);
            while (open->ListAheadSlice()) {
            }
            open->OnSlotClicked(shownSlot);
            ::UpdateWindow(open->Hwnd());
            // The folder shown anew is read again once, a moment later.
            PumpFor(500);
            const fs::path category =
                s.root / L"parameter_R250" / L"1_Group" / (L"Category" + std::to_wstring(shownSlot));
            for (int run = 0; run < 3; ++run) {
                WriteMaterial(category / (L"Added elsewhere " + std::to_wstring(run) + L".VX"), run);
                PumpFor(3000, [&] { return open->RefreshIsDue(); });
                refresh = std::min(refresh, MillisecondsOf([&] {
                                       open->RefreshDue();
                                       ::UpdateWindow(open->Hwnd());
                                       Pump();
                                   }));
            }
            PumpFor(500);
            idle = MeasureIdle(kIdleSeconds);
        }
        Pump();

        // Ctrl+F on a dialog just started, before anything was listed ahead:
        // its first search (for the empty text) lists what is not yet listed
        // and folds every name. Then "material1234" typed into it, each
        // keystroke one search with its rows painted: the worst of a run, the
        // best run.
        double worstKeystroke = 1e300;
        const double openFind = Best(3, [&] {
            std::unique_ptr<MaterialDialog> fresh;
            StartUp(s, fresh);
            const double ms = MillisecondsOf([&] {
                ::SendMessageW(fresh->Hwnd(), MaterialDialog::kFindKeyMessage, 0, 0);
                ::UpdateWindow(fresh->Hwnd());
            });
            HWND edit = ::GetFocus();
            double worst = 0.0;
            for (const wchar_t c : std::wstring(L"material1234"))
                worst = std::max(worst, MillisecondsOf([&] {
                                     ::SendMessageW(edit, WM_CHAR, c, 1);
                                     ::UpdateWindow(fresh->Hwnd());
                                 }));
            worstKeystroke = std::min(worstKeystroke, worst);
            return ms;
        });
        // The memory of the one dialog left with every name listed (ahead,
        // above) and folded for its search.
        ::SendMessageW(d.Hwnd(), MaterialDialog::kFindKeyMessage, 0, 0);
        ::SendMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        Pump();
        const size_t findMemory = PrivateBytes();

        const std::string n = std::to_string(total);
        auto row = [&](const char* what, double ms) {
            if (ms >= 0)
                std::printf("%-10s %-38s %9.1f ms %8.2f\n", n.c_str(), what, ms, ms / emptyStart);
            else
                std::printf("%-10s %-38s %12s %8s\n", n.c_str(), what, "n/a", "");
        };
        row("start-up, empty dialog (baseline)", emptyStart);
        row("start-up until idle and painted", start);
        row("fill list, category of 1000", fill1000);
        row("fill list, category of 5000", fill5000);
        row("showing again, category of 5000", again5000);
        row("save as until shown", saveAs);
        row("of it, the bare Save-as dialog", bareSaveAs);
        row("listing ahead when idle, in all", listAhead);
        row("worst delay of a click (one slice)", worstSlice);
        row("group switch (26 ticks)", groupSwitch);
        row("worst animation tick, painted", worstTick);
        row(shownSlot == 1 ? "refresh, category of 5000, one added" : "refresh, category of 1000, one added", refresh);
        std::printf("%-10s %-38s %9.1f /s %8s\n", n.c_str(), "idle window: wake-ups", idle.wakeupsPerSecond, "");
        std::printf("%-10s %-38s %9.2f ms %8s\n", n.c_str(), "idle window: processor time a second",
                    idle.processorMsPerSecond, "");
        row("find box opened (lists and folds)", openFind);
        row("worst keystroke in the find box", worstKeystroke);
        std::printf("%-10s %-38s %8.1f MiB %8.2f\n", n.c_str(), "private memory after start-up",
                    static_cast<double>(memory) / (1024.0 * 1024.0),
                    static_cast<double>(memory) / static_cast<double>(baseMemory ? baseMemory : 1));
        std::printf("%-10s %-38s %8.1f MiB %8.2f\n", n.c_str(), "private memory, all listed and folded",
                    static_cast<double>(findMemory) / (1024.0 * 1024.0),
                    static_cast<double>(findMemory) / static_cast<double>(baseMemory ? baseMemory : 1));
        std::fflush(stdout);
        dialog.reset();
        Pump();
        fs::remove_all(base / std::to_wstring(total));
    }
    fs::remove_all(base);
    ::UnhookWindowsHookEx(hook);
    return 0;
}
