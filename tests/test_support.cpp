#include "test_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "shell/data_dir.h"
#include "render/batches.h"
#include "app/main_loop.h"
#include "app/reset.h"
#include "frontend/update.h"
#include "game/game_flow.h"
#include "shell/trig.h"

std::string MakeScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/quivex-test-XXXXXX";
    char* made = mkdtemp(pattern.data());
    if (!made) {
        ADD_FAILURE() << "cannot create a scratch folder";
        return "/tmp";
    }
    return made;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool FileExists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

int RunCommand(const std::string& command, std::string& output) {
    output.clear();
    std::FILE* p = popen(command.c_str(), "r");
    if (!p) return -1;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) output.append(buf, n);
    int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string SummaryValue(const std::string& summary, const std::string& key) {
    std::istringstream in(summary);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ": ", 0) == 0) return line.substr(key.size() + 2);
    return "";
}

void HeadlessTest::SetUp() {
    plat::UseHeadlessPlatform();
    plat::headless().Reset();
    plat::headless().window.echoMessageBoxes = false;
    ResetAllState();
    dir = MakeScratchDir();
    char cwd[4096];
    previousDir = getcwd(cwd, sizeof cwd) ? cwd : "/";
    // Data files live in the working directory, as in the game.
    ASSERT_EQ(chdir(dir.c_str()), 0);
    SetDataDir(nullptr);
}

void HeadlessTest::TearDown() {
    SetDataDir(nullptr);
    if (chdir(previousDir.c_str()) != 0) ADD_FAILURE() << "cannot return to " << previousDir;
    std::string out;
    RunCommand("rm -rf '" + dir + "'", out);
}

void GameTest::SetUp() {
    HeadlessTest::SetUp();
    BuildTrigTables();
    GameInit();
}

void GameTest::Frames(int n) {
    for (int i = 0; i < n; ++i) {
        const uint64_t draws = h().gfx.drawCallsTotal;
        UpdateFrame();
        // The update draws nothing, so a frame can be played without its picture.
        if (h().gfx.drawCallsTotal != draws || Batches.LineVertexCount + Batches.TriangleVertexCount + Batches.TexturedTriangleVertexCount > 0) {
            ADD_FAILURE() << "the update drew in frame " << i;
            ResetBatches();
            return;
        }
    }
}
