#pragma once
// The music loops as complete Ogg Vorbis files: track 0 plays during levels, track 1 for bosses.
#include "embedded.h"

QUIVEX_DECLARE_ASSET(Track0Ogg)
QUIVEX_DECLARE_ASSET(Track1Ogg)
