// The update linked alone, with no renderer, sound or platform: it plays the drill and prints the hash
// it ends in, for the test that plays the same drill in the whole program to compare.
#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "drill.h"
#include "shell/data_dir.h"
#include "world/world.h"

int main(int argc, char** argv) {
    if (argc != 3) return 2;  // usage: quivex-update-alone DATA_DIR FRAMES
    SetDataDir(argv[1]);
    const uint64_t hash = PlayDrill(std::atoi(argv[2]), [] { W.Host.Sounds.count = 0; });
    std::printf("%016" PRIx64 "\n", hash);
    return 0;
}
