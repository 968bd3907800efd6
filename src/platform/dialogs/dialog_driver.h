#pragma once
// For test programs only: works the real dialogs the way a person would. Nothing sets it in the game.
#include <functional>
#include <string>

namespace plat {

class DialogDriver {
public:
    virtual ~DialogDriver() = default;
    virtual std::string Caption() const = 0;
    // Clicks the button or check box with this label (mnemonic underscores ignored); false when none.
    virtual bool Click(const char* label) = 0;
    // Writes the dialog as it is drawn now to a PNG file.
    virtual bool Snapshot(const char* pngPath) = 0;
};

// Called from the toolkit's loop once each dialog (launcher, controls, message box) is on screen.
// An empty function turns it off.
void SetDialogHook(std::function<void(DialogDriver&)> hook);

}  // namespace plat
