#include "embedded.h"
// The embedded arrays themselves are generated into the build folder and added to this library.
