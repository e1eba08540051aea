// The release that the dialog's About caption names. The build reads the
// version number for the release files from this line: change it here only.
#pragma once

constexpr char AboutCaption[] = "v1.26 / Kelder";
