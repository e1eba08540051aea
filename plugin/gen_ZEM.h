// The plug-in's headers in one include, for the code that names this one:
// the plug-in record the player reads, the client records, the state record
// and the module's state, which lives from load to unload.
#pragma once

#include "clients/dsupport2ZEM.h"
#include "player/PluginRecord.h"
#include "plugin/Plugin.h"
#include "plugin/RunningState.h"
#include "plugin/UpdateCycle.h"
#include "settings/State.h"
