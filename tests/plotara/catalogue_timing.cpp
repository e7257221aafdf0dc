// catalogue_timing.exe [DIR]: the catalogue benchmark for the Windows build, where Google
// Benchmark is not built: fills the catalogue from 10,000 data files and runs the plain loop
// that opens each file and reads its first 4 KB, best of five wall-clock runs each, and prints
// both times and their ratio. DIR (default: a folder in the temporary directory) is filled first
// unless it already holds the files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "catalogue_workload.h"
#include "data_catalogue.h"
#include "plotara_texts.h"

namespace {

constexpr int kFiles = 10000;
constexpr int kRuns = 5;

template <typename Fn>
double BestMilliseconds(Fn fn) {
    double best = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = std::chrono::steady_clock::now();
        fn();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dir = argc > 1 ? argv[1]
                                     : (std::filesystem::temp_directory_path() /
                                        "varnole-catalogue-timing").string();
    std::filesystem::create_directories(dir);
    if (plotara_test::CatalogueFileNames(dir).size() != static_cast<std::size_t>(kFiles) &&
        !plotara_test::MakeCatalogueDirectory(dir, kFiles)) {
        std::fprintf(stderr, "cannot write the data files into %s\n", dir.c_str());
        return 1;
    }

    CSortedListModel list;
    list.SetColumnLayout(plotara::kCatalogueLayout);
    plotara::CDataCatalogue catalogue;
    catalogue.SetDataDirectory(dir + platform::kPathSeparator);
    const double fill = BestMilliseconds([&] { catalogue.FillCatalogue(list); });
    if (list.GetRowCount() != kFiles) {
        std::fprintf(stderr, "%d rows instead of %d\n", list.GetRowCount(), kFiles);
        return 1;
    }
    const std::vector<std::string> names = plotara_test::CatalogueFileNames(dir);
    const double plain = BestMilliseconds([&] { plotara_test::OpenAndReadFirst4K(dir, names); });
    std::printf("files %d\nfill catalogue %.1f ms\nopen and read 4 KB %.1f ms\nratio %.2f\n", kFiles,
                fill, plain, fill / plain);
    return 0;
}
