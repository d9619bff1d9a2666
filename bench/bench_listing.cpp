// Listing a folder of 1,000 to 100,000 entries (files of many types, some folders) through
// ListFolder with its icon resolution, beside the floor of plain readdir and stat of the same
// folder.

#include "bench/BenchFolders.h"
#include "app/ImageForm.h"
#include "app/Process.h"
#include "browser/FileRows.h"
#include "browser/RowOrder.h"
#include "platform/Files.h"
#include "platform/FolderReading.h"
#include "platform/Host.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"
#include "tests/browser/AdversarialOrders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using bench::Folder;

void ReaddirStat(benchmark::State& state)
{
    std::string root = Folder(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(bench::ReaddirStat(root));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The platform's directory search alone (names in code page 932, attributes, sizes and times),
// reading the folder each time as a first search of it does.
void DirectorySearch(benchmark::State& state)
{
    std::string root = Folder(static_cast<int>(state.range(0)));
    platform::DriveMap drives;
    drives.Map('C', root);
    for (auto _ : state) {
        state.PauseTiming();
        platform::ForgetFolderReadings();
        state.ResumeTiming();
        platform::DirectorySearch search(drives, "C:\\*.*", platform::faAnyFile);
        int entries = 0;
        for (platform::FoundFile entry; search.Next(entry);)
            ++entries;
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A headless run of the program started in a folder of `count` entries.
struct ProgramRun {
    explicit ProgramRun(int count) : ProgramRun(Folder(count)) {}
    explicit ProgramRun(const std::string& root) : host(MakeDrives(root))
    {
        application.SetDialogs(&dialogs);
        host.SetScreen(std::make_unique<platform::FakeScreen>());
        host.SetCurrentDirectory("C:\\");
        orvane::RunProcess(process);
    }
    static platform::DriveMap MakeDrives(const std::string& root)
    {
        platform::DriveMap drives;
        drives.Map('C', root);
        drives.Map('Z', "/");
        return drives;
    }
    tk::TApplication application;
    tk::RecordingDialogs dialogs;
    platform::Host host;
    orvane::Process process{application, host};
};

// The program listing the folder again on each iteration. Plain readdir and stat of the same
// folder run between the iterations, outside the timing, so that the figure stands beside its floor
// measured under the same load: floor_ms is that pass, x_floor the listing's multiple of it, and
// ns_per_entry and floor_ns_per_entry the two per entry, which show how each grows with the folder.
// The folder's names kept from the last read are dropped before each listing, so that it reads
// the folder as the first listing of a folder does.
void ListFolderIn(benchmark::State& state, const std::string& root, ProgramRun& run)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration listing{}, floor{};
    for (auto _ : state) {
        state.PauseTiming();
        platform::ForgetFolderReadings();
        state.ResumeTiming();
        Clock::time_point start = Clock::now();
        run.process.ImageForm->ListFolder();
        benchmark::DoNotOptimize(run.process.ListedCount);
        listing += Clock::now() - start;
        state.PauseTiming();
        start = Clock::now();
        benchmark::DoNotOptimize(bench::ReaddirStat(root));
        floor += Clock::now() - start;
        state.ResumeTiming();
    }
    const double entries = double(run.process.ListedCount);
    state.SetItemsProcessed(state.iterations() * int64_t(entries));
    state.SetComplexityN(int64_t(entries));
    state.counters["images"] = run.process.ImageForm->ImageList1->Count();
    const double floorMs = std::chrono::duration<double, std::milli>(floor).count();
    state.counters["floor_ms"] = benchmark::Counter(floorMs, benchmark::Counter::kAvgIterations);
    if (floor.count() > 0)
        state.counters["x_floor"] = std::chrono::duration<double>(listing) / std::chrono::duration<double>(floor);
    const double perIteration = 1e6 / std::max<double>(1, double(state.iterations()) * std::max(1.0, entries));
    state.counters["ns_per_entry"] = std::chrono::duration<double, std::milli>(listing).count() * perIteration;
    state.counters["floor_ns_per_entry"] = floorMs * perIteration;
}

// A folder of many entries of twenty types.
void ListFolder(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    ProgramRun run(count);
    ListFolderIn(state, Folder(count), run);
}

// A folder of 100,000 entries of a thousand types, those of the desktop's MIME database: every
// type's icon is looked up in the desktop's icon theme and read from its file.
void ListFolderThousandTypes(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    static const std::string root = [count] {
        std::string made = bench::TemporaryFolder();
        bench::FillTypedFolder(made, count, bench::DesktopExtensions(1000));
        return made;
    }();
    ProgramRun run(root);
    ListFolderIn(state, root, run);
}

// Re-sorting the listed rows by each key (0 name, 1 size, 2 type, 3 date) in both directions, as
// the sort buttons do.
void Resort(benchmark::State& state)
{
    ProgramRun run(100000);
    orvane::TImageForm& form = *run.process.ImageForm;
    const int key = static_cast<int>(state.range(0));
    for (auto _ : state) {
        switch (key) {
        case 0: form.SortByName(); break;
        case 1: form.SortBySize(); break;
        case 2: form.SortByType(); break;
        default: form.SortByDate(); break;
        }
        form.ToggleSortOrder();
        state.PauseTiming();
        form.Image6->Hide();
        form.Image7->Hide();
        form.Image8->Hide();
        form.Image9->Hide();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}

// Re-sorting 100,000 files by size in an order that makes the middle row of every part its
// largest (0) or its smallest (1), made for the arrangement the sort of folders before files
// leaves. The rows are listed again before each sort, outside the timing.
void ResortAdversarial(benchmark::State& state)
{
    const int n = 100000;
    ProgramRun run(1000);
    orvane::TImageForm& form = *run.process.ImageForm;
    form.SortAscending();
    std::vector<int> start(n);
    std::iota(start.begin(), start.end(), 0);
    orvane::QuickSortRows(start, 0, n - 1, orvane::TSortDirection::Ascending, [](int, int) { return 0; });
    const auto kind = state.range(0) == 0 ? sorting_test::Killer::DeepLeft : sorting_test::Killer::DeepRight;
    const std::vector<long long> sizes = sorting_test::ValuesOfRanks(sorting_test::KillerRanks(start, kind), false);
    for (auto _ : state) {
        state.PauseTiming();
        tk::TListItems& items = form.ListView1->Items();
        items.Clear();
        for (int row = 0; row < n; ++row) {
            tk::TListItem& item = items.Add();
            item.SetCaption("entry" + std::to_string(row) + ".dat");
            item.SetSubItems({std::to_string(sizes[row]), "dat", "2001/01/01", orvane::FileMarker});
        }
        run.process.ListedCount = n;
        form.Image9->Hide();
        state.ResumeTiming();
        form.SortBySize();
    }
    state.SetItemsProcessed(state.iterations() * n);
}

}  // namespace

BENCHMARK(ReaddirStat)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(DirectorySearch)->Arg(100000)->Unit(benchmark::kMillisecond);
// The listing's growth from 1,000 to 100,000 entries, with its fit (ListFolder_BigO).
BENCHMARK(ListFolder)->Arg(1000)->Arg(3000)->Arg(10000)->Arg(30000)->Arg(100000)->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(ListFolderThousandTypes)->Arg(100000)->Unit(benchmark::kMillisecond);
// Each iteration sorts twice: by the key, then in the other direction.
BENCHMARK(Resort)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(ResortAdversarial)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
