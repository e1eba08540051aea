// The ZEM client: a hidden status dialog with a picture box, two edit boxes
// and an "OK" panel, driven with window messages. The clients' worker
// thread's, as every driver.
#pragma once

#include <string>

#include "clients/ClientSlot.h"

constexpr size_t MaxZemCaption = 20;  // bytes; longer captions end in the ellipsis

bool ZemOpenStatusWindow(TClient& instance);
// A click on the dialog's "OK" panel: the client takes what the dialog shows.
// False when the panel did not answer.
bool ZemPressOk(const TClient& instance);
// True when the "OK" panel was found; answered false when a control of the
// dialog did not answer.
bool ZemScanStatusWindow(TClient& instance, bool& answered);
bool ZemForceOpen(TClient& instance);
// "%Status2" and "%Status" become the instance's saved long text and caption.
std::string ZemExpandSaved(const TClient& instance, const std::string& text);
// Cut where a character of the code page (0: the ANSI code page in use)
// ends, with the code page's own ellipsis.
std::string CutCaption(const std::string& caption, unsigned codePage = 0);
// Stops at the first control that does not answer, and says so: the rest,
// sent on, would reach the client whenever it wakes, perhaps only in part,
// and could confirm half a status.
bool ZemPutStatus(TClient& instance, const TStatus& status, bool verbatim, int32_t shownPicture);
bool ZemApplyStatus(TClient& instance, const TStatus& status);
// At registration with SetPicture on and a picture number set, the client's
// texts for that picture are the second status to put back; false when the
// client did not answer.
bool RecordSetPicture(TClient& slot);
