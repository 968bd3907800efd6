#include "world/content.h"

namespace {
ContentTables content;
}  // namespace

const ContentTables& Content = content;

ContentTables& ContentToBuild() { return content; }
