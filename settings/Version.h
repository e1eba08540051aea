// The release that the dialog's About caption and the DLL's version resource
// name. The build reads the version number for the release files from the
// two numbers: change them here only.
#pragma once

#define ZEM_VERSION_MAJOR 1
#define ZEM_VERSION_MINOR 26

#define ZEM_QUOTE(text) #text
#define ZEM_NUMBER_TEXT(number) ZEM_QUOTE(number)
#define ZEM_VERSION_TEXT ZEM_NUMBER_TEXT(ZEM_VERSION_MAJOR) "." ZEM_NUMBER_TEXT(ZEM_VERSION_MINOR)

// The resource compiler reads this file too, and knows no C++.
#ifndef RC_INVOKED
constexpr char AboutCaption[] = "v" ZEM_VERSION_TEXT " / Kelder";
#endif
