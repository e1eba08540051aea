#include "settings/Settings.h"

#include <vector>

#include "plugin/gen_ZEM.h"
#include "settings/Version.h"
#include "util/Numbers.h"
#include "util/Text.h"

// clang-format off
const std::array<const char*, SettingCount> SettingNames = {
    "Enable", "IfStatus", "IfPicture", "IfAny", "SetPicture", "SetStatus", "SetLongStatus",
    "LongStatus", "SaveRestore", "Picture", "Status", "SetTray", "About", "CustomZEM", "AllZEM",
    "AllZEMNo", "Tray", "AllowOpen", "DelayV", "DelayT", "grZEM", "grIf", "grSet", "grMain",
    "Lang", "VirtPlayState", "Compatible", "Active", "SkipText", "Skip", "TrayNotes"};

const std::array<TSettingKind, SettingCount> SettingKinds = {
    CheckBox, CheckBox, RadioButton, RadioButton, CheckBox, CheckBox, CheckBox,
    ComboBox, CheckBox, ComboBox, ComboBox, CheckBox, StaticText, ComboBox, RadioButton,
    RadioButton, ComboBox, CheckBox, ComboBox, StaticText, GroupBox, GroupBox, GroupBox, GroupBox,
    ComboBox, ComboBox, CheckBox, CheckBox, StaticText, ComboBox, ComboBox};
// clang-format on

namespace {

const char* const TrayDefault = "Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title";

// clang-format off
const std::array<const char*, SettingCount> DefaultValues = {
    "1", "0", "0", "1", "0", "0", "1",
    "%ListPos. %Copy [%Lenght]", "1", "Музыка", "%Status. winamp:", "1", "", "", "1",
    "0", TrayDefault, "1", "5", "", "", "", "", "",
    "Russian", "", "1", "1", "", "", ""};
// clang-format on

std::string TemplateList()
{
    return ListText({"Music",
                     "Winamp",
                     "Слушаю",
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
                     TrayDefault,
                     "{%Artist - }{%Title}",
                     "%ListPos. {%Artist - }%Title{ [%Lenght]}",
                     "Файл: %File{\\nИсполнитель: %Artist}{\\nНазвание: %Title}"});
}

// Item n is the client's status picture n; 0 is "no picture".
std::string PictureList()
{
    return ListText({"",          "Злой",      "Водные процедуры",
                     "Уставший",  "Вечеринка", "Пиво",
                     "Думаю",     "Кушаю",     "ТВ",
                     "Друзья",    "Кофе",      "Музыка",
                     "Дела",      "Кино",      "Весело",
                     "Телефон",   "Игры",      "Учёба",
                     "Покупки",   "Болею",     "Сплю",
                     "Отрываюсь", "В инете",   "Инженеринг",
                     "Печатаю",   " ",         " ",
                     " ",         " ",         "Отдыхаю"});
}

std::array<std::string, SettingCount> DefaultCaptions()
{
    const std::string templates = TemplateList();
    return {"Включен",
            "Установлен статус = [Подпись статуса]",
            "Установлена картинка Music (#12) (только ZEM)",
            "При любом статусе",
            "Картинку статуса",
            "Подпись статуса",
            "Дополнительный статус",
            templates,
            "Восстановить статус после закрытия",
            PictureList(),
            templates,
            "Показывать иконку в \\nтрее (свой статус)",
            AboutCaption,
            "",
            "Всех запущенных копий ICQ-клиента",
            "Только для",
            templates,
            "Разрешить принудительное открытие \\nокна статуса (только ZEM)",
            "||1||2||5||10||15||30||",
            "Установить через (сек)",
            " Установить для ",
            " Изменять статус когда ",
            " Что менять ",
            " Общие ",
            "||Russian||",
            "||[PLAY]||[PAUSE]||[STOP]||",
            "Совместимость с другими ICQ-клиентами",
            "Статус из Winamp",
            "Не объявлять файлы:",
            "",
            "||Статус из Winamp выключен||Этот файл не объявляется||"};
}

bool IsSwitch(TSettingKind kind)
{
    return kind == CheckBox || kind == RadioButton;
}

}  // namespace

int SettingIndex(int id)
{
    const int index = id - FirstSettingId;
    return index >= 0 && index < SettingCount ? index : -1;
}

std::string ValueText(int id, const std::string& value)
{
    const int index = SettingIndex(id);
    return index >= 0 && !IsSwitch(SettingKinds[index]) ? value : std::string();
}

std::string TextIn(const TDlgControlsAr& values, int id)
{
    const int index = SettingIndex(id);
    return index >= 0 ? ValueText(id, values[index]) : std::string();
}

std::string SettingText(int id)
{
    return TextIn(CurrentState.Values, id);
}

bool ValueOn(int id, const std::string& value)
{
    const int index = SettingIndex(id);
    return index >= 0 && IsSwitch(SettingKinds[index]) && TextToIntDef(value, 0) != 0;
}

bool OnIn(const TDlgControlsAr& values, int id)
{
    const int index = SettingIndex(id);
    return index >= 0 && ValueOn(id, values[index]);
}

bool SettingOn(int id)
{
    return OnIn(CurrentState.Values, id);
}

std::string OnOffText(bool on)
{
    return on ? "1" : "0";
}

std::string EscapeLineBreaks(const std::string& text)
{
    return ReplaceText(text, "\r\n", "\\n", ReplaceAll);
}

// std::string copies share nothing, so a plain copy makes the target
// independent of the source.
void CopyState(const TPS& source, TPS& target)
{
    target = source;
}

void FillDefaultSettings(TPS& state)
{
    const std::array<std::string, SettingCount> captions = DefaultCaptions();
    for (int i = 0; i < SettingCount; ++i) {
        state.Values[i] = DefaultValues[i];
        state.Captions[i] = captions[i];
    }
}
