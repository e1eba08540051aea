// The RnQ client: a status window with a picture grid, a caption edit box
// and a long-status memo, confirmed with the Enter key. The clients' worker
// thread's, as every driver.
#pragma once

#include <windows.h>

#include "clients/ClientSlot.h"

bool RnqOpenStatusWindow(TClient& instance);
POINT RnqPictureCell(int32_t pictureIndex);
bool RnqApplyStatus(TClient& instance, const TStatus& status);
