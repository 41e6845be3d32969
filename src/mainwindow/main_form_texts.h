#pragma once

// The main window's own words, in one place.
namespace zelmora::texts {

inline constexpr const char* kProgramTitle = "Zelmora 2.0";
inline constexpr const char* kInitialHelpLabel = "   Объекты недоступны";
inline constexpr const char* kSelectedObjectHint = "Выбранный объект";

inline constexpr const char* kReturnToNormalHint =
    "Возврат в нормальное состояние.\r\n   Отмена создания объекта.";
inline constexpr const char* kDeleteHint = "Удалить выбранный объект";
inline constexpr const char* kPropertiesHint = "Свойства объекта";

inline constexpr const char* kZoomHint = "Масштабирование рисунка";
inline constexpr const char* kTranslateHint = "Параллельный перенос рисунка";
inline constexpr const char* kRotateHint = "Поворот рисунка относительно центра чертежа";
inline constexpr const char* kPointSymmetryHint = "Симметрия рисунка относительно точки";
inline constexpr const char* kLineSymmetryHint = "Симметрия рисунка относительно выбранной прямой";

inline constexpr const char* kAttentionTitle = "Внимание!";

// Menus.
inline constexpr const char* kFileMenu = "Файл";
inline constexpr const char* kNewItem = "Новый";
inline constexpr const char* kOpenItem = "Открыть";
inline constexpr const char* kSaveItem = "Сохранить";
inline constexpr const char* kSaveAsItem = "Сохранить как";
inline constexpr const char* kFilePropertiesItem = "Свойства";
inline constexpr const char* kSaveAsMacroItem = "Сохранить как макрос";
inline constexpr const char* kExportMenu = "Экспорт";
inline constexpr const char* kExportPictureItem = "Графический файл";
inline constexpr const char* kCopyPictureItem = "Копировать как рисунок";
inline constexpr const char* kPrintItem = "Печать…";
inline constexpr const char* kExportDialogTitle = "Экспорт в bmp";
inline constexpr const char* kExportFailed = "Не удалось записать файл \"%1\":\n%2";
inline constexpr const char* kPrintHeader = "Файл: %1";
inline constexpr const char* kPrintAuthor = "    Автор: %1";
inline constexpr const char* kUntitled = "без имени";
inline constexpr const char* kExitItem = "Выход";

inline constexpr const char* kNewObjectMenu = "Новый объект";

inline constexpr const char* kObjectsMenu = "Объекты";
inline constexpr const char* kShowAllItem = "Показать все";
inline constexpr const char* kUndoItem = "Отменить";
inline constexpr const char* kRedoItem = "Повторить";
inline constexpr const char* kObjectListItem = "Список объектов";
inline constexpr const char* kDeleteObjectItem = "Удалить объект";
inline constexpr const char* kObjectPropertiesItem = "Свойства объекта";

inline constexpr const char* kViewMenu = "Вид";
inline constexpr const char* kObjectBarItem = "Панель объектов";
inline constexpr const char* kPictureBarItem = "Работа с рисунком";
inline constexpr const char* kProtocolItem = "Протокол построения";
inline constexpr const char* kProtocolSaveTitle = "Сохранить протокол";
inline constexpr const char* kProtocolSaveFilter = "Веб-страница (*.html *.htm)";
inline constexpr const char* kProtocolDocName = "Протокол построения - %1";

inline constexpr const char* kLessonsMenu = "Уроки";
inline constexpr const char* kMacrosMenu = "Макросы";

inline constexpr const char* kOptionsMenu = "Настройка";
inline constexpr const char* kGeneralOptionsItem = "Общие";
inline constexpr const char* kDefaultOptionsItem = "Свойства по умолчанию";
inline constexpr const char* kLabelControlItem = "Контролировать надпись";

inline constexpr const char* kHelpMenu = "Помощь";
inline constexpr const char* kHintWindowItem = "Форма помощи";
inline constexpr const char* kContentsItem = "Содержание";
inline constexpr const char* kKeysItem = "Функциональные клавиши";
inline constexpr const char* kAboutItem = "О программе";
inline constexpr const char* kSiteItem = "Наш сайт";
inline constexpr const char* kMailItem = "Написать письмо";
inline constexpr const char* kForumItem = "На форум";

// Help pages of the Help menu, in the help folder, without ".htm".
inline constexpr const char* kContentsPage = "Содержание";
inline constexpr const char* kKeysPage = "Функциональные клавиши";

// File dialogs.
inline constexpr const char* kDocumentFilter = "Документ Zelmora (*.zms)";
inline constexpr const char* kSaveDialogTitle = "Сохранить в файл";
inline constexpr const char* kMacroFilter = "Макрос Zelmora (*.zmm)";
inline constexpr const char* kMacroOpenDialogTitle = "Загрузка макроса";
inline constexpr const char* kMacroSaveDialogTitle = "Сохранение как макрос";

// Messages.
inline constexpr const char* kCommandLineFileMissing =
    "Файл не найден. Проверьте правильность пути.";
inline constexpr const char* kSettingsNotSaved =
    "Настройки программы не сохранены: хранилище настроек недоступно для записи.";
inline constexpr const char* kMacroListNotSaved =
    "Список макросов не сохранен: файл \"%1\" недоступен для записи.";

}  // namespace zelmora::texts
