// Listing a folder of 1,000, 10,000 and 100,000 entries (files of many types, some folders)
// through ListFolder with its icon resolution, beside the floor of plain readdir and stat of the
// same folder.

#include "app/ImageForm.h"
#include "app/Process.h"
#include "platform/Host.h"
#include "toolkit/Application.h"
#include "toolkit/Headless.h"

#include <benchmark/benchmark.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>

namespace {

const char* const Extensions[] = {"txt", "bmp", "doc", "pdf", "png", "jpg", "html", "c", "h", "mp3",
                                  "zip", "gz", "xls", "rtf", "wav", "mid", "ini", "log", "csv", "exe"};

// A folder of `count` entries made once per size: every tenth a folder, the rest files of twenty
// types, one in a hundred of them programs.
struct MadeFolders {
    std::map<int, std::string> roots;
    ~MadeFolders()
    {
        for (const auto& [count, root] : roots)
            std::system(("rm -rf '" + root + "'").c_str());
    }
};

std::string Folder(int count)
{
    static MadeFolders folders;
    std::map<int, std::string>& made = folders.roots;
    if (auto it = made.find(count); it != made.end())
        return it->second;
    char pattern[] = "/tmp/orvane-bench-XXXXXX";
    std::string root = mkdtemp(pattern);
    for (int i = 0; i < count; ++i) {
        std::string name = root + "/entry" + std::to_string(i);
        if (i % 10 == 0) {
            mkdir(name.c_str(), 0755);
            continue;
        }
        name += std::string(".") + Extensions[(i % 100 == 1) ? 19 : i % 19];
        int fd = open(name.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd >= 0) {
            if (write(fd, "data", 4) != 4)
                std::abort();
            close(fd);
        }
    }
    made[count] = root;
    return root;
}

void ReaddirStat(benchmark::State& state)
{
    std::string root = Folder(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DIR* directory = opendir(root.c_str());
        int entries = 0;
        while (dirent* entry = readdir(directory)) {
            struct stat info;
            fstatat(dirfd(directory), entry->d_name, &info, 0);
            ++entries;
        }
        closedir(directory);
        benchmark::DoNotOptimize(entries);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One headless run of the program started in the folder, listing it again on each iteration.
void ListFolder(benchmark::State& state)
{
    std::string root = Folder(static_cast<int>(state.range(0)));
    platform::DriveMap drives;
    drives.Map('C', root);
    drives.Map('Z', "/");
    tk::TApplication application;
    tk::RecordingDialogs dialogs;
    application.SetDialogs(&dialogs);
    platform::Host host(drives);
    auto screen = std::make_unique<platform::FakeScreen>();
    host.SetScreen(std::move(screen));
    host.SetCurrentDirectory("C:\\");
    orvane::Process process(application, host);
    orvane::RunProcess(process);
    for (auto _ : state) {
        process.ImageForm->ListFolder();
        benchmark::DoNotOptimize(process.ListedCount);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.counters["images"] = process.ImageForm->ImageList1->Count();
}

}  // namespace

BENCHMARK(ReaddirStat)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(ListFolder)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
