#pragma once
// The bitmap font record drawn by gen_font and embedded in the program.
#include "embedded.h"

QUIVEX_DECLARE_ASSET(FontRecordBin)
