// The defaults users get, written out as they are shipped, so that a test
// compares with them rather than with the plug-in's own table. In setting
// order; "\\n" is the two-character line-break mark.
#pragma once

#include <array>

#include "settings/Settings.h"

inline const char TemplateList[] =
    "||Music||Winamp||Слушаю||%Copy||%Artist - %Title||%Artist \"%Title\"||%Album||%Track||%Year"
    "||%Genre||%Lenght||%Bitrate||%Comment||%File||%PlayState||%ListPos||%SysTime||%Status"
    "||%Status2||[%SysTime] %Status||||Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title"
    "||{%Artist - }{%Title}||%ListPos. {%Artist - }%Title{ [%Lenght]}"
    "||Файл: %File{\\nИсполнитель: %Artist}{\\nНазвание: %Title}||";

inline const char PictureList[] =
    "||||Злой||Водные процедуры||Уставший||Вечеринка||Пиво||Думаю||Кушаю||ТВ||Друзья||Кофе"
    "||Музыка||Дела||Кино||Весело||Телефон||Игры||Учёба||Покупки||Болею||Сплю||Отрываюсь"
    "||В инете||Инженеринг||Печатаю|| || || || ||Отдыхаю||";

inline const std::array<const char*, SettingCount> ShippedValues = {
    "1",                                                      // Enable
    "0",                                                      // IfStatus
    "0",                                                      // IfPicture
    "1",                                                      // IfAny
    "0",                                                      // SetPicture
    "0",                                                      // SetStatus
    "1",                                                      // SetLongStatus
    "%ListPos. %Copy [%Lenght]",                              // LongStatus
    "1",                                                      // SaveRestore
    "Музыка",                                                 // Picture
    "%Status. winamp:",                                       // Status
    "1",                                                      // SetTray
    "",                                                       // About
    "",                                                       // CustomZEM
    "1",                                                      // AllZEM
    "0",                                                      // AllZEMNo
    "Файл: %File\\nИсполнитель: %Artist\\nНазвание: %Title",  // Tray
    "1",                                                      // AllowOpen
    "5",                                                      // DelayV
    "",                                                       // DelayT
    "",                                                       // grZEM
    "",                                                       // grIf
    "",                                                       // grSet
    "",                                                       // grMain
    "Russian",                                                // Lang
    "",                                                       // VirtPlayState
    "1",                                                      // Compatible
    "1",                                                      // Active
    "",                                                       // SkipText
    "",                                                       // Skip
    "",                                                       // TrayNotes
    "",                                                       // ResetCaptions
    "",                                                       // Clients
    "",                                                       // ClientsTexts
};

inline const std::array<const char*, SettingCount> ShippedCaptions = {
    "Включен",
    "Установлен статус = [Подпись статуса]",
    "Установлена картинка Music (#12) (только ZEM)",
    "При любом статусе",
    "Картинку статуса",
    "Подпись статуса",
    "Дополнительный статус",
    TemplateList,
    "Восстановить статус после закрытия",
    PictureList,
    TemplateList,
    "Показывать иконку в \\nтрее (свой статус)",
    "v1.26 / Kelder",
    "",
    "Всех запущенных копий ICQ-клиента",
    "Только для",
    TemplateList,
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
    "||Статус из Winamp выключен||Этот файл не объявляется||",
    "Сбросить подписи статус-картинок",
    "Клиенты…",
    "||Клиенты||Последний проход: ||Прохода ещё не было||Не запущен ни один ZEM или RnQ"
    "||Плагин выключен||Статус из Winamp выключен||показывает трек"
    "||свой статус (плеер остановлен)"
    "||свой статус (статус из Winamp выключен)||свой статус (этот файл не объявляется)"
    "||не трогается: нет картинки статуса||не трогается: картинка не Music"
    "||не трогается: подпись статуса не та||не трогается: нет в фильтре заголовков"
    "||не отвечает||окно статуса закрыто||не трогается: окно статуса открыто"
    "||Закрыть||нечего менять: картинка, подпись и дополнительный статус выключены"
    "||свой статус возвращается||",
};
