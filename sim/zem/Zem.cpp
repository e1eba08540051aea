#include "sim/zem/Zem.h"

#include "sim/zem/MainForm.h"

TZem Zem;

namespace {

const std::array<const char*, PictureCount> PictureNames{{
    "(none)", "Angry",   "Bath",     "Tired",  "Party",    "Beer",    "Thinking", "Eating",
    "TV",     "Friends", "Coffee",   "Music",  "Business", "Camera",  "Funny",    "Phone",
    "Games",  "College", "Shopping", "Sick",   "Sleeping", "Surfing", "Internet", "Engineering",
    "Typing", "Unknown", "Love",     "Search", "Diary",    "Cinema",
}};

}  // namespace

const char* PictureName(int picture)
{
    return picture >= 0 && picture < PictureCount ? PictureNames[picture] : "";
}

TClientStatus ZemStatus()
{
    const TPictureTexts& record = Zem.Records[Zem.Picture];
    return TClientStatus{Zem.Picture, record.Caption, record.LongText};
}

void TakeStatus(int picture, const std::string& caption, const std::string& longText)
{
    if (picture < 0 || picture >= PictureCount) return;
    Zem.Records[picture] = TPictureTexts{caption, longText};
    Zem.Picture = picture;
    LogStatus(ZemStatus());
    RefreshMainForm();
}
