#pragma once

// The main window's own words, in one place.
namespace zelmora::texts {

inline constexpr const char* kProgramTitle = "Zelmora 2.0";
inline constexpr const char* kInitialHelpLabel = "   Объекты недоступны";
inline constexpr const char* kSelectedObjectHint = "Выбранный объект";

inline constexpr const char* kReturnToNormalHint =
    "Возврат в нормальное состояние.\r\n   Отмена создания объекта.";
inline constexpr const char* kNewPointHint = "Создать новую точку";
inline constexpr const char* kNewLineHint = "Создать новую прямую";
inline constexpr const char* kNewCircleHint = "Создать новую окружность";
inline constexpr const char* kDeleteHint = "Удалить выбранный объект";
inline constexpr const char* kPropertiesHint = "Свойства объекта";

inline constexpr const char* kZoomHint = "Масштабирование рисунка";
inline constexpr const char* kTranslateHint = "Параллельный перенос рисунка";
inline constexpr const char* kRotateHint = "Поворот рисунка относительно центра чертежа";
inline constexpr const char* kPointSymmetryHint = "Симметрия рисунка относительно точки";
inline constexpr const char* kLineSymmetryHint = "Симметрия рисунка относительно выбранной прямой";

inline constexpr const char* kFileMenu = "Файл";
inline constexpr const char* kExitItem = "Выход";
inline constexpr const char* kViewMenu = "Вид";
inline constexpr const char* kObjectBarItem = "Панель объектов";
inline constexpr const char* kPictureBarItem = "Работа с рисунком";

inline constexpr const char* kErrorTitle = "Произошла ошибка!";

}  // namespace zelmora::texts
