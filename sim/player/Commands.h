// The commands that tests and the demo send through the channel, kept by
// sim/common/CommandQueue.h: one that blocks (config runs a modal dialog)
// cannot hold the sender.
#pragma once

#include "sim/common/CommandQueue.h"

// For RunCommandMessage: runs the oldest command kept.
void RunQueuedCommand();
