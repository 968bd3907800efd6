// The headless runner's input scripts: a script is refused naming its line, or read into events in
// frame order that, written out again, read back the same; each event is then pressed or released on
// the headless controller and keyboard, as the runner does.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "key_script.h"
#include "platform/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<KeyEvent> events, again;
    std::string error;
    if (!ParseKeyScript(std::string(reinterpret_cast<const char*>(data), size), events, error)) {
        FUZZ_CHECK(error.rfind("line ", 0) == 0);
        return 0;
    }
    std::string text;
    for (size_t i = 0; i < events.size(); ++i) {
        FUZZ_CHECK(events[i].frame >= 0 && (i == 0 || events[i - 1].frame <= events[i].frame));
        text += std::to_string(events[i].frame) + (events[i].press ? " +" : " -") + std::to_string(events[i].code) + "\n";
    }
    FUZZ_CHECK(ParseKeyScript(text, again, error) && again.size() == events.size());
    plat::HeadlessInput& input = plat::headless().input;
    for (size_t i = 0; i < events.size(); ++i) {
        FUZZ_CHECK(again[i].frame == events[i].frame && again[i].press == events[i].press && again[i].code == events[i].code);
        if (events[i].press) input.Press(events[i].code);
        else input.Release(events[i].code);
    }
    input.Reset();
    return 0;
}
