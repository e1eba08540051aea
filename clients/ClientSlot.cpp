#include "clients/ClientSlot.h"

#include <algorithm>

#include "util/Sends.h"

namespace {

// A control that was found and is gone now belongs to a dialog that is
// going away: what it showed is not known.
bool ReadShownPicture(const TClient& instance, int32_t& picture)
{
    HWND box = instance.Controls[PictureControl].Handle;
    picture = 0;
    if (!box) return true;
    const TAnswer answer = SendToWindow(box, CB_GETCURSEL, 0, 0);
    picture = static_cast<int32_t>(answer.Value);
    return answer.Answered;
}

}  // namespace

void ClearSlot(TClient& instance)
{
    instance = TClient{};
}

const TStatus& LastSaved(const TClient& instance)
{
    return instance.Saved[std::clamp(instance.SavedIndex, 0, 1)];
}

const TStatus& ShownBefore(const TClient& instance)
{
    return instance.ShownUnknown ? instance.Unconfirmed : instance.Current;
}

bool ReadShownStatus(const TClient& instance, TStatus& status)
{
    status = TStatus{};
    return ReadShownPicture(instance, status.PictureIndex) &&
           ReadControlOrNone(instance.Controls[CaptionControl].Handle, status.Caption) &&
           ReadControlOrNone(instance.Controls[LongTextControl].Handle, status.LongText);
}
