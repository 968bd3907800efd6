#pragma once
// Input scripts for the headless runner: one event a line, "FRAME +CODE" (press) or "FRAME -CODE"
// (release) of an InputCode, applied before that frame's input step. '#' starts a comment.
#include <cstdint>
#include <string>
#include <vector>

struct KeyEvent {
    int64_t frame;
    bool press;
    int code;
};

// False with a message in `error` (naming the line) when the text is not a valid script.
bool ParseKeyScript(const std::string& text, std::vector<KeyEvent>& events, std::string& error);
