#pragma once

// The texts of the message, hint, about, file properties and options windows.
namespace zelmora::window_texts {

// Error message window.
inline constexpr char kMsgCaption[] = "Произошла ошибка!";
inline constexpr char kMsgTextHint[] = "Причина возникновения ошибки";
inline constexpr char kMsgButton[] = "Понял";
inline constexpr char kMsgButtonHint[] = "Закрыть окно";
// When the message table itself cannot be read there is no text to show;
// %1 is the message number.
inline constexpr char kMsgTableBroken[] =
    "Ошибка %1. Файл сообщений \"Lollypop.zmr\" испорчен или стерт. Переустановите программу.";

// About box.
inline constexpr char kAboutCaption[] = "О программе";
inline constexpr char kAboutProduct[] = "Zelmora";
inline constexpr char kAboutVersion[] = "Версия 2.0";
inline constexpr char kAboutLetter[] =
    "Эта программа - наша первая попытка создать инструмент, доступный любому российскому "
    "школьнику. Если вы считаете, что попытка удалась, и программа стоит того, чтобы над ней "
    "работать дальше, пожалуйста, оставьте свой отзыв на нашем сайте. А на форуме сайта "
    "давайте вместе решим, какие возможности должны появиться в первую очередь.\n"
    "С уважением, авторы программы.";
inline constexpr char kAboutMakersLabel[] = "Создатели:";
inline constexpr char kAboutMakers[] = "Олег Вертушкин, Марина Полозова";
inline constexpr char kAboutThanksLabel[] = "Особая благодарность:";
inline constexpr char kAboutThanks[] = "Анне Круглик";
inline constexpr char kAboutSiteLabel[] = "Наш адрес в Интернете:";
inline constexpr char kAboutMailLabel[] = "Адрес электронной почты:";
inline constexpr char kAboutMadeIn[] = "Сделано в России";
inline constexpr char kAboutLinkFailed[] = "Ошибка при загрузке сайта.";

// Common buttons.
inline constexpr char kAgree[] = "Согласен";
inline constexpr char kCancel[] = "Отмена";

// File properties dialog.
inline constexpr char kFilePropertiesCaption[] = "Свойства файла";
inline constexpr char kAuthorLabel[] = "Автор";
inline constexpr char kCommentLabel[] = "Комментарий";
inline constexpr char kFilesHelpPage[] = "Работа с файлами";

// Options dialog.
inline constexpr char kOptionsCaption[] = "Настройка";
inline constexpr char kOptionsHelpPage[] = "Настройка";
inline constexpr char kFeelingLabel[] = "Чувствительность объектов";
inline constexpr char kFeelingNote[] =
    "То расстояние, на котором объект будет доступен при нажатии левой кнопки мыши";
inline constexpr char kTimePauseLabel[] = "Периодичность мерцания";
inline constexpr char kTimePauseNote[] =
    "Сколько времени в мс пройдет пока не поменяется вид мерцающего объекта";
inline constexpr char kFontLabel[] = "Шрифт";
inline constexpr char kFontNote[] = "Шрифт, которым пишутся названия объектов";
inline constexpr char kSmoothingLabel[] = "Сглаживание";
inline constexpr char kSmoothingHint[] =
    "Линии, окружности и названия рисуются сглаженными: на экране, в картинках и при печати";
inline constexpr char kZoomStepLabel[] = "Скорость масштабирования";
inline constexpr char kMeasureDpiLabel[] = "Измерения в сантиметрах: точек на дюйм";
inline constexpr char kMeasureDpiHint[] =
    "96 — обычный экран: отрезок длиной 96 точек измеряется как 2,54 см";
inline constexpr char kZoomStepNote[] = "С какой скоростью будет происходить масштабирование";
inline constexpr char kDefaultsNote[] =
    "Эти значения будут использоваться при создании новых объектов";
inline constexpr char kEndsOffLabel[] = "Отрезок как прямая";
inline constexpr char kWidthLabel[] = "Толщина линии";
inline constexpr char kColorLabel[] = "Цвет объекта";
inline constexpr char kNamesLabel[] = "Имена объектов по умолчанию";
inline constexpr char kPointNameLabel[] = "Точки";
inline constexpr char kLineNameLabel[] = "Прямой";
inline constexpr char kCircleNameLabel[] = "Окружности";
inline constexpr char kPointNameHint[] = "Имя точки по умолчанию";
inline constexpr char kLineNameHint[] = "Имя прямой по умолчанию";
inline constexpr char kCircleNameHint[] = "Имя окружности по умолчанию";
inline constexpr char kDrawNameHint[] = "Рисовать имя";

}  // namespace zelmora::window_texts
