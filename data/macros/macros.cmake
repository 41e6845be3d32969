# The example macros, each recorded from a drawing with zelmora-cli
# record-macro exactly as a user records it on the plane. A drawing is named
# by its source in data/examples/ or in this folder; object numbers count
# from 0 in its list order.
zelmora_example_macro("Описанная окружность" examples "Описанная окружность"
  --args 0,1,2 --results 8,9 --rename-on-load
  --hint "Первая вершина треугольника" --hint "Вторая вершина треугольника"
  --hint "Третья вершина треугольника")
zelmora_example_macro("Вписанная окружность" examples "Вписанная окружность"
  --args 0,1,2 --results 9,11 --rename-on-load
  --hint "Первая вершина треугольника" --hint "Вторая вершина треугольника"
  --hint "Третья вершина треугольника")
zelmora_example_macro("Серединный перпендикуляр" macros "Серединный перпендикуляр"
  --args 0,1 --results 7,8 --rename-on-load
  --hint "Первый конец отрезка" --hint "Второй конец отрезка")
zelmora_example_macro("Касательные из точки" macros "Касательные из точки"
  --args 0,2 --results 5,6,7,8 --rename-on-load
  --hint "Выберите окружность" --hint "Точка вне окружности")
