#include "player/PluginRecord.h"

TPluginRecord PluginRecord{};
