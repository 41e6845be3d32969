#pragma once

#include <string>

// The editor's own words, in one place.
namespace zelmora::texts {

inline constexpr const char* kStandardPrompt = "Жми F1 для помощи";
inline constexpr const char* kNoSelection = "Объект не выбран";
inline constexpr const char* kNothingHere = "  Объекты недоступны";
inline constexpr const char* kThisIs = "  Это ";
inline constexpr const char* kMovingLabel = "Перемещение надписи объекта";
inline constexpr const char* kShiftingObject = "Параллельный перенос объекта";
inline constexpr const char* kMovingObject = "Движение объекта";
inline constexpr const char* kZoomPrompt = "Масштабирование";
inline constexpr const char* kTranslatePrompt = "Параллельный перенос рисунка";
inline constexpr const char* kRotatePrompt = "Поворот рисунка относительно центра";
inline constexpr const char* kPointSymmetryPrompt = "Выберите точку - центр симметрии";
inline constexpr const char* kLineSymmetryPrompt = "Выберите прямую - ось симметрии";
inline constexpr const char* kPlacePointPrompt = "Выберите место для новой точки";
inline constexpr const char* kPlaceLinePrompt = "Выберите полжение новой прямой";
inline constexpr const char* kPlaceCirclePrompt = "Выбери положение новой окружности";
inline constexpr const char* kLengthPrompt = "Укажите длину отрезка";
inline constexpr const char* kAnglePrompt = "Укажите величену угла";
inline constexpr const char* kDragRectangleFirst = "Сначала выделите область мышью";

// What the undo and redo items name; an object's name follows where shown.
inline const std::string kMoveAction = "перемещение ";
inline const std::string kLabelMoveAction = "перемещение надписи ";
inline const std::string kVisibilityAction = "показ или скрытие ";
inline const std::string kWidthAction = "толщина ";
inline const std::string kNameVisibilityAction = "показ имени ";
inline const std::string kPropertiesAction = "свойства ";
inline constexpr const char* kZoomAction = "масштаб";
inline constexpr const char* kTranslateAction = "сдвиг рисунка";
inline constexpr const char* kRotateAction = "поворот рисунка";
inline constexpr const char* kPointSymmetryAction = "симметрия относительно точки";
inline constexpr const char* kLineSymmetryAction = "симметрия относительно прямой";
inline constexpr const char* kFilePropertiesAction = "свойства файла";

// Kind names by kind code 1..7.
inline constexpr const char* kKindNames[] = {"",     "Точка",      "Прямая",    "Окружность",
                                             "Угол", "Расстояние", "Измерение", "Текст"};
// Prefixes of the selected object's label, by kind code 1..7 (none for values).
inline constexpr const char* kSelectedPrefixes[] = {
    "", "Точка:  ", "Прямая:  ", "Окружность:  ", "", "", "Измерение:  ", "Текст:  "};

inline constexpr const char* kHelpObjects = "Help/Манипуляции объектами.htm";
inline constexpr const char* kHelpMethods = "Help/Способы задания.htm";
inline constexpr const char* kHelpPicture = "Help/Работа с рисунком.htm";
inline constexpr const char* kHelpMacros = "Help/Использование макросов.htm";

}  // namespace zelmora::texts
