#include "settings/Languages.h"

#include <algorithm>

#include "settings/Version.h"
#include "util/Text.h"
#include "util/WinUtil.h"

const std::array<const char*, 2> BuiltInLanguages = {"Russian", "English"};

namespace {

// One text per setting, in setting order: a setting added later without
// its text in every language does not compile.
template <class... Texts>
TDlgControlsAr Row(const Texts&... texts)
{
    static_assert(sizeof...(Texts) == SettingCount, "one text per setting");
    return {std::string(texts)...};
}

// The words of a language that the template lists are made of.
struct TTemplateWords {
    const char* Listening;
    const char* File;
    const char* Artist;
    const char* Title;
};

// The tool-tip's template, one tag a line.
std::string TrayTemplate(const TTemplateWords& w)
{
    return std::string(w.File) + ": %File\\n" + w.Artist + ": %Artist\\n" + w.Title + ": %Title";
}

std::string TemplateList(const TTemplateWords& w)
{
    return ListText({"Music",
                     "Winamp",
                     w.Listening,
                     "%Copy",
                     "%Artist - %Title",
                     "%Artist \"%Title\"",
                     "%Album",
                     "%Track",
                     "%Year",
                     "%Genre",
                     "%Lenght",
                     "%Bitrate",
                     "%Comment",
                     "%File",
                     "%PlayState",
                     "%ListPos",
                     "%SysTime",
                     "%Status",
                     "%Status2",
                     "[%SysTime] %Status",
                     "",
                     TrayTemplate(w),
                     "{%Artist - }{%Title}",
                     "%ListPos. {%Artist - }%Title{ [%Lenght]}",
                     std::string(w.File) + ": %File{\\n" + w.Artist + ": %Artist}{\\n" + w.Title +
                         ": %Title}"});
}

// Item n names the client's status picture n; 0 is "no picture", 11 is the
// picture the defaults choose.
using TPictureNames = std::array<const char*, 30>;
constexpr int MusicPicture = 11;

// The values of every language but its name, the picture's name and the
// tool-tip's template, which are in its words.
TDlgControlsAr Values(const char* language, const TPictureNames& pictures,
                      const TTemplateWords& words)
{
    return Row("1", "0", "0", "1", "0", "0", "1", "%ListPos. %Copy [%Lenght]", "1",
               pictures[MusicPicture], "%Status. winamp:", "1", "", "", "1", "0",
               TrayTemplate(words), "1", "5", "", "", "", "", "", language, "", "1", "1",
               "", "", "", "");
}

std::string PictureList(const TPictureNames& pictures)
{
    return ListText(std::vector<std::string>(pictures.begin(), pictures.end()));
}

// The texts of the lists shared by every language.
const char* const DelayList = "||1||2||5||10||15||30||";
const char* const LanguageList = "||Russian||";
const char* const PlayStateList = "||[PLAY]||[PAUSE]||[STOP]||";

TLanguageDefaults Russian()
{
    const TTemplateWords words = {"Слушаю", "Файл", "Исполнитель", "Название"};
    const TPictureNames pictures = {
        "",        "Злой",      "Водные процедуры", "Уставший", "Вечеринка", "Пиво",
        "Думаю",   "Кушаю",     "ТВ",               "Друзья",   "Кофе",      "Музыка",
        "Дела",    "Кино",      "Весело",           "Телефон",  "Игры",      "Учёба",
        "Покупки", "Болею",     "Сплю",             "Отрываюсь", "В инете",  "Инженеринг",
        "Печатаю", " ",         " ",                " ",        " ",         "Отдыхаю"};
    const std::string templates = TemplateList(words);
    return {Values(BuiltInLanguages[0], pictures, words),
            Row("Включен", "Установлен статус = [Подпись статуса]",
                "Установлена картинка Music (#12) (только ZEM)", "При любом статусе",
                "Картинку статуса", "Подпись статуса", "Дополнительный статус", templates,
                "Восстановить статус после закрытия", PictureList(pictures), templates,
                "Показывать иконку в \\nтрее (свой статус)", AboutCaption, "",
                "Всех запущенных копий ICQ-клиента", "Только для", templates,
                "Разрешить принудительное открытие \\nокна статуса (только ZEM)", DelayList,
                "Установить через (сек)", " Установить для ", " Изменять статус когда ",
                " Что менять ", " Общие ", LanguageList, PlayStateList,
                "Совместимость с другими ICQ-клиентами", "Статус из Winamp",
                "Не объявлять файлы:", "",
                "||Статус из Winamp выключен||Этот файл не объявляется||",
                "Сбросить подписи статус-картинок")};
}

TLanguageDefaults English()
{
    const TTemplateWords words = {"Listening", "File", "Artist", "Title"};
    const TPictureNames pictures = {
        "",         "Angry",   "Bathing", "Tired",   "Party",       "Beer",
        "Thinking", "Eating",  "TV",      "Friends", "Coffee",      "Music",
        "Business", "Cinema",  "Fun",     "Phone",   "Games",       "Studying",
        "Shopping", "Sick",    "Sleeping", "Rocking", "Online",     "Engineering",
        "Typing",   " ",       " ",       " ",       " ",           "Resting"};
    const std::string templates = TemplateList(words);
    return {Values(BuiltInLanguages[1], pictures, words),
            Row("Enabled", "Status is set = [status caption]",
                "The Music picture (#12) is set (ZEM only)", "With any status", "The status picture",
                "The status caption", "The additional status", templates,
                "Restore the status after closing", PictureList(pictures), templates,
                "Show an icon in the \\ntray (own status)", AboutCaption, "",
                "All running copies of the ICQ client", "Only for", templates,
                "Allow forced opening of \\nthe status window (ZEM only)", DelayList,
                "Set after (seconds)", " Set for ", " Change the status when ", " What to change ",
                " General ", LanguageList, PlayStateList, "Compatibility with other ICQ clients",
                "Status from Winamp", "Do not announce files:", "",
                "||Status from Winamp is off||This file is not announced||",
                "Reset the captions of the status pictures")};
}

bool SameLanguage(const std::string& a, const std::string& b)
{
    return CompareTexts(a, b) == 0;
}

}  // namespace

TLanguageDefaults LanguageDefaults(const std::string& language)
{
    return SameLanguage(language, BuiltInLanguages[1]) ? English() : Russian();
}

std::vector<std::string> OfferedLanguages(const std::string& list)
{
    std::vector<std::string> items = ListItems(list);
    for (const char* language : BuiltInLanguages) {
        const auto known = [&](const std::string& item) { return SameLanguage(item, language); };
        if (std::none_of(items.begin(), items.end(), known)) items.push_back(language);
    }
    return items;
}
