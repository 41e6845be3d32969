#pragma once

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

// Kind names by kind code 1..5.
inline constexpr const char* kKindNames[] = {"",           "Точка", "Прямая",
                                             "Окружность", "Угол",  "Расстояние"};
// Prefixes of the selected object's label, by kind code 1..3.
inline constexpr const char* kSelectedPrefixes[] = {"", "Точка:  ", "Прямая:  ", "Окружность:  "};

inline constexpr const char* kHelpObjects = "Help/Манипуляции объектами.htm";
inline constexpr const char* kHelpMethods = "Help/Способы задания.htm";
inline constexpr const char* kHelpPicture = "Help/Работа с рисунком.htm";
inline constexpr const char* kHelpMacros = "Help/Использование макросов.htm";

}  // namespace zelmora::texts
