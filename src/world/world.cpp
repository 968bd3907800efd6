#include "world/world.h"

#include <new>

World W;

// Built in place: the world is too large for a temporary on a small stack (the browser's).
void ResetWorld() { new (&W) World(); }
