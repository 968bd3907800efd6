#include "platform/platform.h"
#include "shell/main_loop.h"

int main() {
    plat::UseRealPlatform();
    return RunProgram(StartOptions{});
}
