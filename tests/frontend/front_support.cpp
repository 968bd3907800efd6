#include "front_support.h"

#include <sstream>

#include "app/main_loop.h"

void FrontEndTest::SetUp() {
    HeadlessTest::SetUp();
    int code = -1;
    ASSERT_TRUE(StartProgram(StartOptions{}, code));
}

void FrontEndTest::Pass(int frames) {
    for (int i = 0; i < frames; ++i) {
        int code = -1;
        ASSERT_TRUE(FramePass(code));
    }
}

void FrontEndTest::Tap(int code, int times) {
    for (int i = 0; i < times; ++i) {
        h().input.Press(code);
        Pass();
        h().input.Release(code);
        Pass();
    }
}

std::vector<int> FrontEndTest::Settings() {
    std::istringstream in(ReadFile(DataFile("quivex.cfg")));
    std::vector<int> numbers;
    int n;
    while (in >> n) numbers.push_back(n);
    return numbers;
}

std::vector<FrontTextEntry> FrontEndTest::AllTexts() const {
    std::vector<FrontTextEntry> all;
    int first = FrontTexts.count > kFrontTextLog ? FrontTexts.count - kFrontTextLog : 0;
    for (int i = first; i < FrontTexts.count; ++i) all.push_back(FrontTexts.entries[i % kFrontTextLog]);
    return all;
}

std::vector<FrontTextEntry> FrontEndTest::Texts(const std::string& text) const {
    std::vector<FrontTextEntry> found;
    for (const FrontTextEntry& e : AllTexts())
        if (text == e.text) found.push_back(e);
    return found;
}
