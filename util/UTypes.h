// The shared helpers in one include.
#pragma once

#include "util/Files.h"
#include "util/Numbers.h"
#include "util/Text.h"
#include "util/TimeText.h"
#include "util/WinUtil.h"
