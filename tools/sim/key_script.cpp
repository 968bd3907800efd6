#include "key_script.h"

#include <algorithm>
#include <sstream>

bool ParseKeyScript(const std::string& text, std::vector<KeyEvent>& events, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        std::string frameText, codeText, extra;
        if (!(fields >> frameText)) continue;  // blank or comment-only
        KeyEvent ev{};
        try {
            size_t used = 0;
            ev.frame = std::stoll(frameText, &used);
            if (used != frameText.size() || ev.frame < 0) throw std::invalid_argument("frame");
            if (!(fields >> codeText) || codeText.size() < 2 || (codeText[0] != '+' && codeText[0] != '-'))
                throw std::invalid_argument("code");
            ev.press = codeText[0] == '+';
            ev.code = std::stoi(codeText.substr(1), &used);
            if (used != codeText.size() - 1) throw std::invalid_argument("code");
            if (fields >> extra) throw std::invalid_argument("extra");
        } catch (const std::exception&) {
            error = "line " + std::to_string(lineNumber) + ": expected FRAME +CODE or FRAME -CODE";
            return false;
        }
        events.push_back(ev);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const KeyEvent& a, const KeyEvent& b) { return a.frame < b.frame; });
    return true;
}
