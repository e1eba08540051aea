// The row of a template token, by its name.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "track/Templates.h"

inline int TokenRow(const char* name)
{
    for (size_t i = 0; i < TrackTokens.size(); ++i)
        if (std::strcmp(TrackTokens[i].Name, name) == 0) return static_cast<int>(i);
    ADD_FAILURE() << "no token " << name;
    return 0;
}
