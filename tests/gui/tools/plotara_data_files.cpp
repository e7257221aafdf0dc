// plotara_data_files.exe DIR: fills DIR with the data files of Plotara's GUI tests, written with
// the project's own writer (current files) and archive encoding (older and damaged files).
//
// Local times of 19 August 2004 (18 August for the oldest files):
//   SV01   13:00  single run 40800004, thresholds CPU 90 / MEM 512, comment "日次"
//   PC02   12:00  group G1 run 40800003 (with PC03), threshold CPU 80 / DSK 50
//   PC03   12:00  the same group run
//   PC01   10:00, 10:30, 11:00  split run 40800002, branches 1, 2, 3
//   OLD01  09:00 (18th) and OLD02 09:30 (18th)  version 100 files
// and files that must not be listed: a version 105 file, a truncated current header, a
// directory named VARN_x.var. Exit code 0 when every file was written.
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/local_time.h"
#include "plotara/data_file_fixtures.h"

namespace {

using plotara_test::SFileRecipe;

SFileRecipe Recipe(const std::string& host, int day, int hour, int minute, const std::string& execId) {
    SFileRecipe recipe;
    recipe.m_strHost = host;
    recipe.m_tStart = platform::MakeLocalTime(2004, 8, day, hour, minute, 0);
    recipe.m_strExecId = execId;
    return recipe;
}

bool Job(const std::string& dir, const SFileRecipe& recipe, int schedule) {
    const std::string path = plotara_test::WriteJobFile(dir, recipe, schedule);
    if (path.empty()) std::fprintf(stderr, "cannot write the file of %s\n", recipe.m_strHost.c_str());
    return !path.empty();
}

bool Raw(const std::string& dir, const std::string& name, const std::string& bytes) {
    const bool ok = plotara_test::WriteBytesFile(dir + "\\" + name, bytes);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", name.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: plotara_data_files DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    bool ok = true;

    SFileRecipe single = Recipe("SV01", 19, 13, 0, "40800004");
    single.m_nCpu = 90;
    single.m_nMem = 512;
    single.m_strComment = "日次";
    ok = Job(dir, single, 4) && ok;

    for (const char* host : {"PC02", "PC03"}) {
        SFileRecipe member = Recipe(host, 19, 12, 0, "40800003");
        member.m_strGroup = "G1";
        member.m_nCpu = 80;
        member.m_nDisk = 50;
        member.m_strComment = "グループ";
        ok = Job(dir, member, 3) && ok;
    }
    const int minutes[3][2] = {{10, 0}, {10, 30}, {11, 0}};
    for (std::uint32_t branch = 1; branch <= 3; ++branch) {
        SFileRecipe piece = Recipe("PC01", 19, minutes[branch - 1][0], minutes[branch - 1][1], "40800002");
        piece.m_nBranch = branch;
        piece.m_strComment = "30分分割";
        ok = Job(dir, piece, 2) && ok;
    }

    SFileRecipe old1 = Recipe("OLD01", 18, 9, 0, "");
    old1.m_nVersion = 100;
    old1.m_strTag = "VARNOLE";
    SFileRecipe old2 = Recipe("OLD02", 18, 9, 30, "");
    old2.m_nVersion = 100;
    ok = Raw(dir, "VARN_OLD01_100.var", plotara_test::HeaderBytes(old1)) && ok;
    ok = Raw(dir, "VARN_OLD02_100.var", plotara_test::HeaderBytes(old2)) && ok;

    SFileRecipe v105 = Recipe("V105", 19, 14, 0, "");
    v105.m_nVersion = 105;
    ok = Raw(dir, "VARN_V105.var", plotara_test::HeaderBytes(v105)) && ok;
    const std::string cut = plotara_test::HeaderBytes(Recipe("CUT", 19, 15, 0, "40800009"));
    ok = Raw(dir, "VARN_CUT.var", cut.substr(0, cut.size() / 2)) && ok;

    std::error_code error;
    std::filesystem::create_directory(std::filesystem::path(dir) / "VARN_x.var", error);
    if (error) {
        std::fprintf(stderr, "cannot make the directory VARN_x.var\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
