#include "clients/ClientStatus.h"

bool SameStatus(const TStatus& a, const TStatus& b)
{
    return a.PictureIndex == b.PictureIndex && a.Caption == b.Caption && a.LongText == b.LongText;
}
