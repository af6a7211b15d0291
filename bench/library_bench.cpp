// Saving and loading a big macro library (60 folders of 60 macros), and what a library costs in
// memory: heap bytes of an empty library and of the big one, peak heap while loading and saving,
// and the process's peak resident size. Heap figures come from counting operator new below.
#include "macros/LibraryFile.h"
#include "macros/MacroLibrary.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <memory>
#include <new>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace {

std::atomic<long long> heapInUse{0};
std::atomic<long long> heapPeak{0};

void* CountedAlloc(size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    const long long now = heapInUse += static_cast<long long>(malloc_usable_size(block));
    long long peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void CountedFree(void* block) {
    if (block != nullptr) {
        heapInUse -= static_cast<long long>(malloc_usable_size(block));
        std::free(block);
    }
}

} // namespace

void* operator new(size_t size) {
    return CountedAlloc(size);
}
void* operator new[](size_t size) {
    return CountedAlloc(size);
}
void operator delete(void* block) noexcept {
    CountedFree(block);
}
void operator delete[](void* block) noexcept {
    CountedFree(block);
}
void operator delete(void* block, size_t) noexcept {
    CountedFree(block);
}
void operator delete[](void* block, size_t) noexcept {
    CountedFree(block);
}

namespace {

using namespace vexmo;

constexpr int kFolders = 60;
constexpr int kMacrosPerFolder = 60;
constexpr uint32_t kActionsPerMacro = 24;

void FillBigLibrary(MacroLibrary& library) {
    for (int f = 0; f < kFolders; ++f) {
        LibraryLocation folder = kNoLibraryLocation;
        library.TryCreateFolder("Folder " + std::to_string(f), folder);
        for (int m = 0; m < kMacrosPerFolder; ++m) {
            LibraryLocation at = folder;
            library.TryCreateMacro("Macro " + std::to_string(m), at);
            MacroRecord& macro = *library.ItemAt(at)->Macro;
            for (uint32_t i = 0; i < kActionsPerMacro; i += 3) {
                const auto key = static_cast<uint8_t>(0x41 + (i / 3) % 26);
                macro.InsertAction(i, MacroAction::Press(key));
                macro.InsertAction(i + 1, MacroAction::Delay(50));
                macro.InsertAction(i + 2, MacroAction::Release(key));
            }
            macro.CommandCount = static_cast<uint8_t>(kActionsPerMacro / 3 * 2);
        }
    }
}

std::filesystem::path BenchFile(const char* name) {
    return std::filesystem::temp_directory_path() /
           (std::string("vexmo-library-bench-") + std::to_string(getpid()) + name);
}

long long PeakResidentKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void BM_EmptyLibraryMemory(benchmark::State& state) {
    long long bytes = 0;
    for (auto _ : state) {
        const long long before = heapInUse;
        auto library = std::make_unique<MacroLibrary>();
        bytes = heapInUse - before;
        benchmark::DoNotOptimize(library.get());
    }
    state.counters["heap_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EmptyLibraryMemory);

void BM_BigLibraryMemory(benchmark::State& state) {
    long long bytes = 0;
    int groups = 0;
    for (auto _ : state) {
        const long long before = heapInUse;
        auto library = std::make_unique<MacroLibrary>();
        FillBigLibrary(*library);
        bytes = heapInUse - before;
        groups = library->AllocatedGroupCount();
    }
    state.counters["heap_bytes"] = static_cast<double>(bytes);
    state.counters["groups"] = groups;
    state.counters["macros"] = kFolders * kMacrosPerFolder;
}
BENCHMARK(BM_BigLibraryMemory)->Unit(benchmark::kMillisecond);

void BM_SaveBigLibrary(benchmark::State& state) {
    MacroLibrary library;
    FillBigLibrary(library);
    const std::filesystem::path file = BenchFile("-save.mlf");
    heapPeak = heapInUse.load();
    const long long before = heapInUse;
    for (auto _ : state) {
        if (!SaveLibraryFile(file, library, kNoLibraryLocation)) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.counters["peak_heap_bytes"] = static_cast<double>(heapPeak - before);
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.counters["peak_rss_kb"] = static_cast<double>(PeakResidentKb());
    std::filesystem::remove(file);
}
BENCHMARK(BM_SaveBigLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadBigLibrary(benchmark::State& state) {
    const std::filesystem::path file = BenchFile("-load.mlf");
    {
        MacroLibrary source;
        FillBigLibrary(source);
        SaveLibraryFile(file, source, kNoLibraryLocation);
    }
    MacroLibrary library;
    heapPeak = heapInUse.load();
    const long long before = heapInUse;
    for (auto _ : state) {
        if (!LoadLibraryFile(file, library)) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.counters["peak_heap_bytes"] = static_cast<double>(heapPeak - before);
    state.counters["items"] = library.NamedItemCount();
    state.counters["peak_rss_kb"] = static_cast<double>(PeakResidentKb());
    std::filesystem::remove(file);
}
BENCHMARK(BM_LoadBigLibrary)->Unit(benchmark::kMillisecond);

} // namespace
