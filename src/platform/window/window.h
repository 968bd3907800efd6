#pragma once
// The game window and its message queue, plus the modal message box.

namespace plat {

// ToggleFullscreen: the player pressed Alt+Enter.
enum class WindowEventKind { Quit, Moved, FocusGained, FocusLost, ToggleFullscreen };

struct WindowEvent {
    WindowEventKind kind;
    int x = 0, y = 0;  // new position for Moved
};

class Window {
public:
    virtual ~Window() = default;
    // Creates the (hidden) window at x, y with the given outer size.
    virtual bool Create(const char* title, int x, int y, int outerW, int outerH) = 0;
    // Moves the window and sizes it so the client area is clientW x clientH; optionally keeps it on top.
    virtual void Place(int x, int y, int clientW, int clientH, bool topmost) = 0;
    virtual void Show() = 0;
    // Destroys the window; the queue then reports Quit.
    virtual void Destroy() = 0;
    virtual bool Exists() const = 0;
    virtual bool PollEvent(WindowEvent& ev) = 0;
    virtual void Position(int& x, int& y) = 0;
    virtual void ClientSize(int& w, int& h) = 0;
    virtual void MoveCursorOffScreen() = 0;
    // Minimised or hidden: nothing is shown, and presenting may stop waiting for the display.
    virtual bool Minimised() const = 0;
    // Modal message box with an OK button; blocks until closed.
    virtual void MessageBox(const char* caption, const char* text, bool errorIcon) = 0;
};

}  // namespace plat
