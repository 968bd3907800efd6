#include <cstdio>

#include "platform/headless.h"

namespace plat {

bool HeadlessWindow::Create(const char* t, int x, int y, int outerW, int outerH) {
    if (failCreate) return false;
    created = true;
    destroyed = false;
    title = t;
    posX = x, posY = y;
    clientW = outerW, clientH = outerH;
    return true;
}

void HeadlessWindow::Place(int x, int y, int w, int h, bool onTop) {
    posX = x, posY = y, clientW = w, clientH = h, topmost = onTop;
}

void HeadlessWindow::Destroy() {
    if (!created || destroyed) return;
    destroyed = true;
    Inject({WindowEventKind::Quit});
}

bool HeadlessWindow::PollEvent(WindowEvent& ev) {
    if (next_ >= queue_.size()) {
        queue_.clear();
        next_ = 0;
        return false;
    }
    ev = queue_[next_++];
    if (ev.kind == WindowEventKind::Moved) posX = ev.x, posY = ev.y;
    return true;
}

void HeadlessWindow::Inject(const WindowEvent& ev) { queue_.push_back(ev); }

void HeadlessWindow::MessageBox(const char* caption, const char* text, bool) {
    messageBoxes.push_back(std::string(caption) + "|" + text);
    if (echoMessageBoxes) std::fprintf(stderr, "%s: %s\n", caption, text);
}

void HeadlessWindow::Reset() {
    bool echo = echoMessageBoxes;
    *this = HeadlessWindow();
    echoMessageBoxes = echo;
}

}  // namespace plat
