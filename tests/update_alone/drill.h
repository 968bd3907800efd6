#pragma once
// A boss rush played for a number of frames by the update alone (fire held, the ship weaving), with
// `afterFrame` run after each frame's update; returns the state hash it ends in.
#include <cstdint>

uint64_t PlayDrill(int frames, void (*afterFrame)());
