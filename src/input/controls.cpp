#include "input/controls.h"

#include "input/devices.h"
#include "world/world.h"

Controls ReadControls() {
    return {UpHeld(),
            DownHeld(),
            LeftHeld(),
            RightHeld(),
            FireHeld(),
            ShieldHeld(),
            IsInputDown(W.Saved.Bindings[SlotPause]),
            IsInputDown(W.Saved.Bindings[SlotKeyFire]),
            IsInputDown(KeyEscape),
            ReturnHeld(),
            IsInputDown(KeyF1),
            IsInputDown(KeyF2),
            IsInputDown(KeyF9),
            IsInputDown(KeyF12),
            ScanAnyInput()};
}

void ControlsToBytes(const Controls& c, unsigned char* out) {
    const bool held[] = {c.up,     c.down,   c.left,   c.right, c.fire, c.shield, c.pause,
                         c.keyFire, c.escape, c.enter, c.f1,    c.f2,   c.f9,     c.f12};
    for (bool h : held) *out++ = h ? 1 : 0;
    const uint16_t code = static_cast<uint16_t>(c.anyInput);  // -1 and 0..2003 fit
    out[0] = static_cast<unsigned char>(code & 0xFF);
    out[1] = static_cast<unsigned char>(code >> 8);
}

Controls ControlsFromBytes(const unsigned char* in) {
    Controls c{in[0] != 0, in[1] != 0, in[2] != 0,  in[3] != 0,  in[4] != 0,  in[5] != 0,  in[6] != 0,
               in[7] != 0, in[8] != 0, in[9] != 0, in[10] != 0, in[11] != 0, in[12] != 0, in[13] != 0, 0};
    c.anyInput = static_cast<int16_t>(static_cast<uint16_t>(in[14] | in[15] << 8));
    return c;
}
