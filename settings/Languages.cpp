#include "settings/Languages.h"

#include <algorithm>
#include <iterator>

#include "settings/Version.h"
#include "util/Text.h"
#include "util/WinUtil.h"

const std::array<const char*, 2> BuiltInLanguages = {"Russian", "English"};

namespace {

// One text in each built-in language, in their order.
using TTranslation = std::array<const char*, BuiltInLanguages.size()>;

// Stands for the captions that every language shares or makes of its words.
const TTranslation Filled = {"", ""};

// Every setting's caption, in setting order: a setting added later gets
// its line here, in every language.
const TTranslation Captions[] = {
    {"Включен", "Enabled"},
    {"Установлен статус = [Подпись статуса]", "Status is set = [status caption]"},
    {"Установлена картинка Music (#12) (только ZEM)", "The Music picture (#12) is set (ZEM only)"},
    {"При любом статусе", "With any status"},
    {"Картинку статуса", "The status picture"},
    {"Подпись статуса", "The status caption"},
    {"Дополнительный статус", "The additional status"},
    Filled,  // LongStatus
    {"Восстановить статус после закрытия", "Restore the status after closing"},
    Filled,  // Picture
    Filled,  // Status
    {"Показывать иконку в \\nтрее (свой статус)", "Show an icon in the \\ntray (own status)"},
    Filled,  // About
    {"", ""},
    {"Всех запущенных копий ICQ-клиента", "All running copies of the ICQ client"},
    {"Только для", "Only for"},
    Filled,  // Tray
    {"Разрешить принудительное открытие \\nокна статуса (только ZEM)",
     "Allow forced opening of \\nthe status window (ZEM only)"},
    Filled,  // DelayV
    {"Установить через (сек)", "Set after (seconds)"},
    {" Установить для ", " Set for "},
    {" Изменять статус когда ", " Change the status when "},
    {" Что менять ", " What to change "},
    {" Общие ", " General "},
    Filled,  // Lang
    Filled,  // VirtPlayState
    {"Совместимость с другими ICQ-клиентами", "Compatibility with other ICQ clients"},
    {"Статус из Winamp", "Status from Winamp"},
    {"Не объявлять файлы:", "Do not announce files:"},
    {"", ""},
    {"||Статус из Winamp выключен||Этот файл не объявляется||",
     "||Status from Winamp is off||This file is not announced||"},
    {"Сбросить подписи статус-картинок", "Reset the captions of the status pictures"},
    {"Клиенты…", "Clients…"},
    // The clients window's texts, in the order of its TClientsText: saved
    // files hold them by position, so a text added later goes at the end.
    {"||Клиенты||Последний проход: ||Прохода ещё не было||Не запущен ни один ZEM или RnQ"
     "||Плагин выключен||Статус из Winamp выключен||показывает трек"
     "||свой статус (плеер остановлен)"
     "||свой статус (статус из Winamp выключен)||свой статус (этот файл не объявляется)"
     "||не трогается: нет картинки статуса||не трогается: картинка не Music"
     "||не трогается: подпись статуса не та||не трогается: нет в фильтре заголовков"
     "||не отвечает||окно статуса закрыто||не трогается: окно статуса открыто"
     "||Закрыть||нечего менять: картинка, подпись и дополнительный статус выключены"
     "||свой статус возвращается||",
     "||Clients||Last cycle: ||No cycle has run yet||No ZEM or RnQ is running"
     "||The plug-in is switched off||Status from Winamp is off||shows the track"
     "||its own status (stopped)"
     "||its own status (switched off)||its own status (a track left alone)"
     "||left alone: no status picture||left alone: not the Music picture"
     "||left alone: not the plug-in's caption||left alone: not in the title filter"
     "||not answering||its status window is closed||left alone: its status window is open"
     "||Close||nothing to change: the picture, the caption and the additional status are off"
     "||its own status is being given back||"},
};
static_assert(std::size(Captions) == SettingCount, "one caption per setting");

// Item n names the client's status picture n; 0 is "no picture".
const TTranslation Pictures[] = {
    {"", ""},
    {"Злой", "Angry"},
    {"Водные процедуры", "Bathing"},
    {"Уставший", "Tired"},
    {"Вечеринка", "Party"},
    {"Пиво", "Beer"},
    {"Думаю", "Thinking"},
    {"Кушаю", "Eating"},
    {"ТВ", "TV"},
    {"Друзья", "Friends"},
    {"Кофе", "Coffee"},
    {"Музыка", "Music"},
    {"Дела", "Business"},
    {"Кино", "Cinema"},
    {"Весело", "Fun"},
    {"Телефон", "Phone"},
    {"Игры", "Games"},
    {"Учёба", "Studying"},
    {"Покупки", "Shopping"},
    {"Болею", "Sick"},
    {"Сплю", "Sleeping"},
    {"Отрываюсь", "Rocking"},
    {"В инете", "Online"},
    {"Инженеринг", "Engineering"},
    {"Печатаю", "Typing"},
    {" ", " "},
    {" ", " "},
    {" ", " "},
    {" ", " "},
    {"Отдыхаю", "Resting"},
};
constexpr size_t MusicPicture = 11;  // the defaults' choice

// The words the template lists are made of.
const TTranslation Listening = {"Слушаю", "Listening"};
const TTranslation FileWord = {"Файл", "File"};
const TTranslation ArtistWord = {"Исполнитель", "Artist"};
const TTranslation TitleWord = {"Название", "Title"};

// The tool-tip's template, one tag a line; with braces, lines whose tag the
// track lacks are left out.
std::string TrayTemplate(size_t language, bool optional)
{
    const std::string open = optional ? "{" : "", close = optional ? "}" : "";
    return std::string(FileWord[language]) + ": %File" + open + "\\n" + ArtistWord[language] +
           ": %Artist" + close + open + "\\n" + TitleWord[language] + ": %Title" + close;
}

std::string TemplateList(size_t language)
{
    return ListText({"Music",
                     "Winamp",
                     Listening[language],
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
                     TrayTemplate(language, false),
                     "{%Artist - }{%Title}",
                     "%ListPos. {%Artist - }%Title{ [%Lenght]}",
                     TrayTemplate(language, true)});
}

std::string PictureList(size_t language)
{
    std::vector<std::string> names;
    for (const TTranslation& picture : Pictures) names.emplace_back(picture[language]);
    return ListText(names);
}

// The sources write "…" as Windows-1251 does; the code page in use may
// write it otherwise, or have none.
std::string InCodePage(const char* text, unsigned codePage)
{
    return ReplaceText(text, "\x85", EllipsisIn(codePage), ReplaceAll);
}

TDlgControlsAr CaptionsOf(size_t language, unsigned codePage)
{
    TDlgControlsAr captions;
    for (int i = 0; i < SettingCount; ++i)
        captions[i] = InCodePage(Captions[i][language], codePage);
    const auto set = [&](int id, const std::string& text) { captions[SettingIndex(id)] = text; };
    const std::string templates = TemplateList(language);
    for (int id : {Setting::LongStatus, Setting::Status, Setting::Tray}) set(id, templates);
    set(Setting::Picture, PictureList(language));
    set(Setting::About, AboutCaption);
    set(Setting::DelayV, "||1||2||5||10||15||30||");
    set(Setting::Lang, "||Russian||");
    set(Setting::VirtPlayState, "||[PLAY]||[PAUSE]||[STOP]||");
    return captions;
}

// Every setting's default value, in setting order; Filled marks the ones
// in a language's words.
const char* const Values[] = {
    "1", "0", "0", "1", "0", "0", "1", "%ListPos. %Copy [%Lenght]", "1", Filled[0],
    "%Status. winamp:", "1", "", "", "1", "0", Filled[0], "1", "5", "", "", "", "", "",
    Filled[0], "", "1", "1", "", "", "", "", "", ""};
static_assert(std::size(Values) == SettingCount, "one value per setting");

TDlgControlsAr ValuesOf(size_t language)
{
    TDlgControlsAr values;
    std::copy(std::begin(Values), std::end(Values), values.begin());
    values[SettingIndex(Setting::Picture)] = Pictures[MusicPicture][language];
    values[SettingIndex(Setting::Tray)] = TrayTemplate(language, false);
    values[SettingIndex(Setting::Lang)] = BuiltInLanguages[language];
    return values;
}

bool SameLanguage(const std::string& a, const std::string& b)
{
    return CompareTexts(a, b) == 0;
}

}  // namespace

bool IsBuiltInLanguage(const std::string& language)
{
    return std::any_of(BuiltInLanguages.begin(), BuiltInLanguages.end(),
                       [&](const char* name) { return SameLanguage(language, name); });
}

TLanguageDefaults LanguageDefaults(const std::string& language, unsigned codePage)
{
    const size_t index = SameLanguage(language, BuiltInLanguages[1]) ? 1 : 0;
    return {ValuesOf(index), CaptionsOf(index, codePage)};
}

std::vector<std::string> ClientsWindowTexts(const std::string& caption,
                                            const std::string& language)
{
    std::vector<std::string> texts = ListItems(caption);
    const std::vector<std::string> builtIn =
        ListItems(LanguageDefaults(language).Captions[SettingIndex(Setting::ClientsTexts)]);
    for (size_t i = texts.size(); i < builtIn.size(); ++i) texts.push_back(builtIn[i]);
    return texts;
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
