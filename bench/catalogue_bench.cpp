// Filling Plotara's catalogue from 10,000 data files (search, header of each, rows, the three
// sorts) against the plain loop that only opens each file and reads its first 4 KB.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data_catalogue.h"
#include "platform/files.h"
#include "plotara/catalogue_workload.h"
#include "plotara_texts.h"

namespace {

constexpr int kFiles = 10000;

const std::string& Directory() {
    static const std::string dir = [] {
        const auto path = std::filesystem::temp_directory_path() / "varnole-catalogue-bench";
        std::filesystem::remove_all(path);
        std::filesystem::create_directories(path);
        const std::string text = path.string();
        if (!plotara_test::MakeCatalogueDirectory(text, kFiles)) std::abort();
        return text;
    }();
    return dir;
}

// Plotara fills its catalogue once, into an empty list: each run starts with a new list and
// catalogue, and the previous run's rows are freed outside the measured time.
void BM_FillCatalogue(benchmark::State& state) {
    const std::string dir = Directory() + platform::kPathSeparator;
    int nRows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto pList = std::make_unique<CSortedListModel>();
        pList->SetColumnLayout(plotara::kCatalogueLayout);
        auto pCatalogue = std::make_unique<plotara::CDataCatalogue>();
        pCatalogue->SetDataDirectory(dir);
        state.ResumeTiming();
        benchmark::DoNotOptimize(pCatalogue->FillCatalogue(*pList));
        state.PauseTiming();
        nRows = pList->GetRowCount();
        pList.reset();
        pCatalogue.reset();
        state.ResumeTiming();
    }
    if (nRows != kFiles) state.SkipWithError("not every file became a row");
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_FillCatalogue)->Unit(benchmark::kMillisecond);

void BM_OpenAndReadFirst4K(benchmark::State& state) {
    const std::string& dir = Directory();
    const std::vector<std::string> names = plotara_test::CatalogueFileNames(dir);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plotara_test::OpenAndReadFirst4K(dir, names));
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_OpenAndReadFirst4K)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
