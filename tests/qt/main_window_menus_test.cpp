// Start, settings, the options dialog, help and the object menus of the real
// main window, driven through its menu items, keys and mouse.
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

#include "dialogs/help_form.h"
#include "dialogs/new_object_form.h"
#include "dialogs/options_form.h"
#include "interaction/editor_texts.h"
#include "mainwindow/key_translation.h"
#include "window_under_test.h"

using namespace zelmora;

Q_DECLARE_METATYPE(zelmora::InteractionState)

namespace {

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

QString MenuTitleOf(QAction* item) {
  const QList<QObject*> owners = item->associatedObjects();
  auto* menu = owners.isEmpty() ? nullptr : qobject_cast<QMenu*>(owners[0]);
  return menu != nullptr ? menu->title() : QString();
}

// The letter key the window turns into `key`.
Qt::Key QtKeyOf(Key key) {
  for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) {
    const QKeyEvent event(QEvent::KeyPress, k, Qt::ControlModifier);
    if (EditorKey(event) == key) return static_cast<Qt::Key>(k);
  }
  return Qt::Key_unknown;
}

}  // namespace

class MainWindowMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void firstStartWritesTheDefaults();
  void aboutBoxOnFirstActivation_data();
  void aboutBoxOnFirstActivation();
  void garbageSettingsStartClamped();
  void generalOptionsActAtOnceAndAreKept();
  void defaultOptionsShapeNewObjects();
  void f1OpensThePageOfTheState_data();
  void f1OpensThePageOfTheState();
  void helpMenuPagesAndLinks_data();
  void helpMenuPagesAndLinks();
  void newObjectItemsStartTheirMethod_data();
  void newObjectItemsStartTheirMethod();
  void constructionBuiltByMenuAndClicks();
  void toolBarOpensTheNewObjectDialog_data();
  void toolBarOpensTheNewObjectDialog();
  void disabledCommandsAreRefusedEverywhere();
  void groupButtonsAndKeysOfferTheirGroup();
  void laterCommandsArePresentButDisabled_data();
  void laterCommandsArePresentButDisabled();
  void objectsMenuCommands();
  void hintWindowFollowsPromptAndMenu();

 private:
  bool Start();
  QToolButton* GroupButton(const command_table::GroupInfo& group) const {
    const QString name = QString::fromUtf8(group.buttonName.data(), group.buttonName.size());
    return w_->form->findChild<QToolButton*>(name);
  }
  std::unique_ptr<WindowUnderTest> w_;
};

void MainWindowMenusTest::init() {
  w_ = std::make_unique<WindowUnderTest>();
  QVERIFY2(w_->folder.ok(), "build the data_files target");
}

void MainWindowMenusTest::cleanup() {
  w_.reset();
}

// A window of a user who has seen the about box before.
bool MainWindowMenusTest::Start() {
  w_->Preset(QStringLiteral("FirstRun"), 1);
  return w_->Start();
}

void MainWindowMenusTest::firstStartWritesTheDefaults() {
  QVERIFY(w_->Create());
  const struct {
    const char* name;
    QString value;
  } defaults[] = {
      {"Name Font", "Times New Roman"},
      {"Feeling", "5"},
      {"Time Pause", "300"},
      {"Point Name", "A"},
      {"Line Name", "b"},
      {"Circle Name", "S"},
      {"PointVisible", "1"},
      {"LineVisible", "1"},
      {"CircleVisible", "1"},
      {"EndsOff", "1"},
      {"HelpShow", "1"},
      {"HelpFormTop", "40"},
      {"HelpFormLeft", "450"},
      {"Color", "0"},
      {"Width", "1"},
      {"Path", w_->folder.path()},
      {"FileName1", ""},
      {"FileName4", ""},
      {"ObjectPanel", "1"},
      {"PicturePanel", "0"},
      {"ZoomStep", "5"},
  };
  for (const auto& d : defaults) {
    QVERIFY2(w_->Stored(d.name).isValid(), d.name);
    QCOMPARE(w_->Stored(d.name).toString(), d.value);
  }
  QVERIFY(!w_->Stored("FirstRun").isValid());
  QCOMPARE(w_->form->BlinkInterval(), 300);
  QCOMPARE(w_->form->editor().Settings().feeling, 5);
}

void MainWindowMenusTest::aboutBoxOnFirstActivation_data() {
  QTest::addColumn<QVariant>("firstRun");
  QTest::addColumn<bool>("shown");
  QTest::newRow("never run: no value") << QVariant() << true;
  QTest::newRow("installed: false") << QVariant(0) << true;
  QTest::newRow("seen before") << QVariant(1) << false;
}

void MainWindowMenusTest::aboutBoxOnFirstActivation() {
  QFETCH(QVariant, firstRun);
  QFETCH(bool, shown);
  if (firstRun.isValid()) w_->Preset(QStringLiteral("FirstRun"), firstRun);
  const QStringList about{QStringLiteral("zelmora::TAbForm")};
  for (int run = 0; run < 2; ++run) {
    w_->ReopenStore();
    QVERIFY(w_->Start());
    QVERIFY(QTest::qWaitForWindowActive(w_->form.get()));
    // It follows the activation.
    if (shown) {
      QTRY_COMPARE(w_->prompts.dialogs, about);
    } else {
      // The activation queued its work before this zero timer, so once the
      // timer has fired that work has run, and any dialog would be listed.
      bool settled = false;
      QTimer::singleShot(0, w_->form.get(), [&settled] { settled = true; });
      QTRY_VERIFY(settled);
      QCOMPARE(w_->prompts.dialogs, QStringList());
    }
    QCOMPARE(w_->Stored("FirstRun").toInt(), 1);
  }
}

void MainWindowMenusTest::garbageSettingsStartClamped() {
  w_->Preset("Feeling", 99);
  w_->Preset("Time Pause", "fast");
  w_->Preset("ZoomStep", -4);
  w_->Preset("Width", 70);
  w_->Preset("Color", 20);
  w_->Preset("Point Name", "");
  QVERIFY(Start());
  QCOMPARE(w_->form->editor().Settings().feeling, 15);
  QCOMPARE(w_->form->BlinkInterval(), 300);
  QCOMPARE(w_->form->editor().Settings().zoomStep, 0.01);
  const CreationDefaults& d = w_->Objects().defaults;
  QCOMPARE(d.width, 7);
  QCOMPARE(d.colorIndex, 13);
  w_->AddPoint(100, 100);
  QCOMPARE(w_->Objects()[0].Width, 7);
}

void MainWindowMenusTest::generalOptionsActAtOnceAndAreKept() {
  QVERIFY(Start());
  std::vector<int> shownFeeling;
  bool confirm = false;
  w_->prompts.answerDialog = [&](QDialog& dialog) {
    auto& options = static_cast<TOptionsForm&>(dialog);
    shownFeeling.push_back(options.FeelingEdit()->value());
    if (options.Page() != OptionsPage::kGeneral) return int(QDialog::Rejected);
    options.FeelingEdit()->setValue(9);
    options.TimePauseEdit()->setValue(750);
    options.ZoomStepEdit()->setValue(8);
    if (!confirm) return int(QDialog::Rejected);
    options.Confirm();
    return options.result();
  };
  w_->Trigger("N22");  // changed, then cancelled
  QCOMPARE(w_->form->editor().Settings().feeling, 5);
  QCOMPARE(w_->Stored("Feeling").toInt(), 5);

  confirm = true;
  w_->Trigger("N22");
  QCOMPARE(w_->prompts.dialogs.last(), QStringLiteral("zelmora::TOptionsForm"));
  QCOMPARE(w_->form->editor().Settings().feeling, 9);
  QCOMPARE(w_->form->BlinkInterval(), 750);
  QCOMPARE(w_->form->editor().Settings().zoomStep, 0.08);
  QCOMPARE(w_->Stored("Feeling").toInt(), 9);
  QCOMPARE(w_->Stored("Time Pause").toInt(), 750);
  QCOMPARE(w_->Stored("ZoomStep").toInt(), 8);

  // A new run starts with them, and the dialog shows them.
  confirm = false;
  QVERIFY(w_->form->close());
  w_->ReopenStore();
  QVERIFY(w_->Start());
  QCOMPARE(w_->form->editor().Settings().feeling, 9);
  QCOMPARE(w_->form->BlinkInterval(), 750);
  w_->Trigger("N22");
  QCOMPARE(shownFeeling, (std::vector<int>{5, 5, 9}));
}

void MainWindowMenusTest::defaultOptionsShapeNewObjects() {
  QVERIFY(Start());
  w_->AddPoint(100, 100);
  w_->prompts.answerDialog = [](QDialog& dialog) {
    auto& options = static_cast<TOptionsForm&>(dialog);
    if (options.Page() != OptionsPage::kDefaults) return int(QDialog::Rejected);
    options.WidthEdit()->setValue(4);
    options.NameEdit(TOptionsForm::kPoint)->setText(QStringLiteral("P"));
    options.Confirm();
    return options.result();
  };
  w_->Trigger("N23");
  w_->AddPoint(300, 100);
  ObjectList& objects = w_->Objects();
  QCOMPARE(objects.size(), 2u);
  QCOMPARE(objects[0].Width, 1);  // existing objects keep theirs
  QCOMPARE(objects[1].Width, 4);
  QCOMPARE(objects[1].Name.substr(0, 1), std::string("P"));  // the counter runs on
  QCOMPARE(w_->Stored("Point Name").toString(), QStringLiteral("P"));
  QCOMPARE(w_->Stored("Width").toInt(), 4);
}

void MainWindowMenusTest::f1OpensThePageOfTheState_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("folder");
  QTest::addColumn<QString>("page");  // empty: F1 does nothing
  QTest::newRow("normal") << ""
                          << "Help" << Utf8("Манипуляции объектами");
  QTest::newRow("placing a point") << "NewObject0"
                                   << "Help" << Utf8("Способы задания");
  QTest::newRow("picking parents") << "NewObject103"
                                   << "Help" << Utf8("Способы задания");
  QTest::newRow("zoom mode") << "ZoomAll"
                             << "Help" << Utf8("Работа с рисунком");
  QTest::newRow("point symmetry") << "DoCenterSymmetry"
                                  << "Help" << QString();
  QTest::newRow("folder in lower case") << ""
                                        << "help" << Utf8("Манипуляции объектами");
}

void MainWindowMenusTest::f1OpensThePageOfTheState() {
  QFETCH(QString, command);
  QFETCH(QString, folder);
  QFETCH(QString, page);
  if (folder != "Help") QVERIFY(QDir(w_->folder.path()).rename("Help", folder));
  w_->Preset("PicturePanel", 1);
  QVERIFY(Start());
  if (command.startsWith("NewObject")) {
    w_->Trigger(command.toLatin1().constData());
  } else if (!command.isEmpty()) {
    QTest::mouseClick(w_->form->findChild<QToolButton*>(command), Qt::LeftButton);
  }
  QTest::keyClick(w_->form.get(), Qt::Key_F1);
  if (page.isEmpty()) {
    QVERIFY(w_->prompts.urls.isEmpty());
    QVERIFY(w_->prompts.errors.empty());
    return;
  }
  const QString file = w_->folder.Path(folder + '/' + page + ".htm");
  QCOMPARE(w_->prompts.urls, QList<QUrl>{QUrl::fromLocalFile(file)});

  // A page that is not there: error message 6.
  QVERIFY(QFile::remove(file));
  QTest::keyClick(w_->form.get(), Qt::Key_F1);
  QCOMPARE(w_->prompts.errors, std::vector<int>{6});
  QCOMPARE(w_->prompts.urls.size(), 1);
}

void MainWindowMenusTest::helpMenuPagesAndLinks_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QUrl>("url");
  QTest::addColumn<bool>("isPage");
  const QString help = QStringLiteral("Help/");
  QTest::newRow("contents") << "N25" << QUrl(help + Utf8("Содержание.htm")) << true;
  QTest::newRow("keys") << "N61" << QUrl(help + Utf8("Функциональные клавиши.htm")) << true;
  QTest::newRow("site") << "N66" << QUrl("https://zelmora.example/") << false;
  QTest::newRow("mail") << "N67" << QUrl("mailto:team@zelmora.example") << false;
  QTest::newRow("forum") << "N68" << QUrl("https://zelmora.example/forum") << false;
}

void MainWindowMenusTest::helpMenuPagesAndLinks() {
  QFETCH(QString, item);
  QFETCH(QUrl, url);
  QFETCH(bool, isPage);
  QVERIFY(Start());
  const QUrl expected = isPage ? QUrl::fromLocalFile(w_->folder.Path(url.path())) : url;
  w_->Trigger(item.toLatin1().constData());
  QCOMPARE(w_->prompts.urls, QList<QUrl>{expected});
  QVERIFY(w_->prompts.messages.isEmpty());

  // The desktop refuses: a page reports error 6, a link a plain message.
  w_->prompts.urlsOpen = false;
  w_->Trigger(item.toLatin1().constData());
  QCOMPARE(w_->prompts.errors, isPage ? std::vector<int>{6} : std::vector<int>{});
  QCOMPARE(w_->prompts.messages,
           isPage ? QStringList() : QStringList{Utf8("Ошибка при загрузке сайта.")});
}

void MainWindowMenusTest::newObjectItemsStartTheirMethod_data() {
  QTest::addColumn<int>("code");
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<InteractionState>("state");
  const auto pick = InteractionState::PickParents;
  const struct {
    int code;
    const char* menu;
    const char* caption;
    InteractionState state;
  } rows[] = {
      {0, "Точка", "На плоскости", InteractionState::PlacePoint},
      {1, "Точка", "Принадлежит объекту", pick},
      {3, "Точка", "Пересечение объектов", pick},
      {8, "Точка", "Проекция", pick},
      {9, "Точка", "Середина отрезка", pick},
      {10, "Точка", "Удаление от точки на константу", pick},
      {11, "Точка", "Центр окружности", pick},
      {100, "Прямая", "На плоскости", InteractionState::PlaceLine},
      {101, "Прямая", "Две точки", pick},
      {105, "Прямая", "Отрезок", pick},
      {109, "Прямая", "Луч", pick},
      {102, "Прямая", "Параллельная", pick},
      {103, "Прямая", "Перпендикуляр", pick},
      {104, "Прямая", "Серединный перпендикуляр", pick},
      {106, "Прямая", "Под улом к прямой", pick},
      {107, "Прямая", "Под постоянным улом к прямой", pick},
      {108, "Прямая", "Биссектриса", pick},
      {200, "Окружность", "На плоскости", InteractionState::PlaceCircle},
      {201, "Окружность", "По центру и точке", pick},
      {202, "Окружность", "По центру и радиусу", pick},
      {203, "Окружность", "Через три точки", pick},
  };
  for (const auto& r : rows) {
    QTest::addRow("%d", r.code) << r.code << Utf8(r.menu) << Utf8(r.caption) << r.state;
  }
}

void MainWindowMenusTest::newObjectItemsStartTheirMethod() {
  QFETCH(int, code);
  QFETCH(QString, menu);
  QFETCH(QString, caption);
  QFETCH(InteractionState, state);
  QVERIFY(Start());
  QAction* item = w_->form->MenuItem(QStringLiteral("NewObject%1").arg(code));
  QVERIFY(item != nullptr);
  QCOMPARE(item->text(), caption);
  QCOMPARE(item->data().toInt(), code);
  QCOMPARE(MenuTitleOf(item), menu);
  item->trigger();
  QCOMPARE(w_->form->editor().Creation().command, CommandWithCode(MethodCode{code}));
  QCOMPARE(w_->form->editor().State(), state);
  // The first step's prompt shows in the hint window.
  QVERIFY(!w_->form->Prompt().empty());
  QCOMPARE(w_->form->HintWindow()->Text(), QString::fromStdString(w_->form->Prompt()));
}

void MainWindowMenusTest::constructionBuiltByMenuAndClicks() {
  QVERIFY(Start());
  w_->AddPoint(100, 100);
  w_->AddPoint(300, 120);
  w_->Trigger("NewObject9");  // midpoint
  w_->Click(100, 100);
  w_->Click(300, 120);
  ObjectList& objects = w_->Objects();
  QCOMPARE(objects.size(), 3u);
  const auto& middle = static_cast<const TGPoint&>(objects[2]);
  QCOMPARE(middle.Method, CodeOf(ConstructionMethod::Midpoint));
  QCOMPARE(middle.X, 200.0);
  QCOMPARE(middle.Y, 110.0);
  const QImage shown = w_->form->PlaneBox()->grab().toImage();
  QCOMPARE(QColor(shown.pixel(200, 110)), QColor(Qt::black));

  // Dragging an end moves the midpoint.
  QTest::keyClick(w_->form.get(), Qt::Key_Escape);
  QTest::mousePress(w_->form->PlaneBox(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(w_->form->PlaneBox(), QPoint(140, 160));
  QTest::mouseRelease(w_->form->PlaneBox(), Qt::LeftButton, {}, QPoint(140, 160));
  QCOMPARE(middle.X, 220.0);
  QCOMPARE(middle.Y, 140.0);
}

void MainWindowMenusTest::toolBarOpensTheNewObjectDialog_data() {
  QTest::addColumn<QString>("button");  // empty: the key instead
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<int>("method");  // chosen with the second radio button; -1: cancelled
  QTest::newRow("point button") << "RxSpeedButton1" << 0 << "zelmora::TNewPointForm" << 1;
  QTest::newRow("line button") << "RxSpeedButton2" << 0 << "zelmora::TNewLineForm" << 101;
  QTest::newRow("circle button") << "RxSpeedButton3" << 0 << "zelmora::TNewCircleForm" << 201;
  QTest::newRow("Ctrl+P") << "" << int(Qt::Key_P) << "zelmora::TNewPointForm" << 1;
  QTest::newRow("Ctrl+L") << "" << int(Qt::Key_L) << "zelmora::TNewLineForm" << 101;
  QTest::newRow("Ctrl+C") << "" << int(Qt::Key_C) << "zelmora::TNewCircleForm" << 201;
  QTest::newRow("cancelled") << "RxSpeedButton2" << 0 << "zelmora::TNewLineForm" << -1;
}

void MainWindowMenusTest::toolBarOpensTheNewObjectDialog() {
  QFETCH(QString, button);
  QFETCH(int, key);
  QFETCH(QString, dialog);
  QFETCH(int, method);
  QVERIFY(Start());
  w_->prompts.answerDialog = [method](QDialog& form) {
    form.findChild<QAbstractButton*>(QStringLiteral("RadioButton2"))->setChecked(true);
    if (method < 0) return int(QDialog::Rejected);
    static_cast<TNewObjectForm&>(form).Confirm();
    return form.result();
  };
  w_->form->editor().StartCreation(
      Command::Midpoint);  // a construction under way is given up first
  if (button.isEmpty()) {
    QTest::keyClick(w_->form.get(), static_cast<Qt::Key>(key), Qt::ControlModifier);
  } else {
    QTest::mouseClick(w_->form->findChild<QToolButton*>(button), Qt::LeftButton);
  }
  QCOMPARE(w_->prompts.dialogs, QStringList{dialog});
  if (method < 0) {
    QCOMPARE(w_->form->editor().State(), InteractionState::Normal);
  } else {
    QCOMPARE(w_->form->editor().Creation().command, CommandWithCode(MethodCode{method}));
    QCOMPARE(w_->form->editor().State(), InteractionState::PickParents);
  }
}

// A lesson's tool set: per group, one command taken away greys its menu item
// and its dialog button; the whole group taken away greys the tool bar
// button, and its key opens nothing.
void MainWindowMenusTest::disabledCommandsAreRefusedEverywhere() {
  QVERIFY(Start());
  Editor& editor = w_->form->editor();
  for (const CommandInfo& c : kCommands) {
    const auto& group = Info(c.group);
    auto* button = GroupButton(group);
    CommandSet set = CommandSet::All();
    set.Remove(c.command);
    editor.SetEnabledCommands(set);
    QAction* item = w_->form->MenuItem(QStringLiteral("NewObject%1").arg(Number(c.code)));
    QVERIFY(!item->isEnabled());
    item->trigger();
    QCOMPARE(editor.State(), InteractionState::Normal);
    QVERIFY(button->isEnabled());
    bool offered = true;
    w_->prompts.answerDialog = [&](QDialog& form) {
      for (auto* radio : form.findChildren<QAbstractButton*>()) {
        if (radio->text() == QString::fromUtf8(c.dialogCaption.data()))
          offered = radio->isEnabled();
      }
      return int(QDialog::Rejected);
    };
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(!offered);

    for (const CommandInfo& d : kCommands) {
      if (d.group == c.group) set.Remove(d.command);
    }
    editor.SetEnabledCommands(set);
    QVERIFY(!button->isEnabled());
    if (!group.ctrlKey) continue;
    w_->prompts.dialogs.clear();
    QTest::keyClick(w_->form.get(), QtKeyOf(*group.ctrlKey), Qt::ControlModifier);
    QCOMPARE(w_->prompts.dialogs, QStringList());
  }
  editor.SetEnabledCommands(CommandSet::All());
  QVERIFY(w_->form->MenuItem(QStringLiteral("NewObject0"))->isEnabled());
}

// Each group's button and key open a dialog offering exactly the commands
// the command table puts in that group.
void MainWindowMenusTest::groupButtonsAndKeysOfferTheirGroup() {
  QVERIFY(Start());
  QStringList offered;
  w_->prompts.answerDialog = [&offered](QDialog& form) {
    for (auto* radio : form.findChildren<QRadioButton*>()) offered << radio->text();
    return int(QDialog::Rejected);
  };
  for (const auto& group : command_table::kGroups) {
    QStringList expected;
    for (const CommandInfo& c : kCommands) {
      if (c.group == group.group) expected << Utf8(c.dialogCaption.data());
    }
    expected.sort();
    offered.clear();
    QTest::mouseClick(GroupButton(group), Qt::LeftButton);
    offered.sort();
    QCOMPARE(offered, expected);
    if (!group.ctrlKey) continue;
    offered.clear();
    QTest::keyClick(w_->form.get(), QtKeyOf(*group.ctrlKey), Qt::ControlModifier);
    offered.sort();
    QCOMPARE(offered, expected);
  }
}

void MainWindowMenusTest::laterCommandsArePresentButDisabled_data() {
  QTest::addColumn<QString>("item");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("shortcut");
  QTest::addColumn<bool>("enabled");
  QTest::newRow("new") << "FreeZM" << Utf8("Новый") << "Ctrl+N" << true;
  QTest::newRow("save") << "SaveZM" << Utf8("Сохранить") << "Ctrl+S" << true;
  QTest::newRow("show all") << "N17" << Utf8("Показать все") << "Ctrl+A" << true;
  QTest::newRow("delete") << "N19" << Utf8("Удалить объект") << "Del" << true;
  QTest::newRow("save as macro") << "N65" << Utf8("Сохранить как макрос") << "" << true;
  QTest::newRow("export") << "N57" << Utf8("Графический файл") << "" << true;
  QTest::newRow("print") << "PrintZM" << Utf8("Печать…") << "" << true;
  QTest::newRow("object list") << "N21" << Utf8("Список объектов") << "" << true;
  QTest::newRow("object properties") << "N20" << Utf8("Свойства объекта") << "Ctrl+O" << true;
}

void MainWindowMenusTest::laterCommandsArePresentButDisabled() {
  QFETCH(QString, item);
  QFETCH(QString, caption);
  QFETCH(QString, shortcut);
  QFETCH(bool, enabled);
  QVERIFY(Start());
  QAction* action = w_->form->MenuItem(item);
  QVERIFY(action != nullptr);
  QCOMPARE(action->text(), caption);
  QCOMPARE(action->shortcut(), QKeySequence(shortcut));
  QCOMPARE(action->isEnabled(), enabled);
  QVERIFY(action->isVisible());
  if (item == "N20") {
    QCOMPARE(w_->form->findChild<QToolButton*>("RxSpeedButton4")->isEnabled(), enabled);
  }
}

void MainWindowMenusTest::objectsMenuCommands() {
  QVERIFY(Start());
  w_->DrawTwoPoints();
  Editor& editor = w_->form->editor();
  QAction* showAll = w_->Item("N17");
  w_->Trigger("N17");
  QVERIFY(showAll->isChecked());
  QVERIFY(editor.ShowAll());
  w_->Trigger("N17");
  QVERIFY(!showAll->isChecked());
  QVERIFY(!editor.ShowAll());

  QAction* labelControl = w_->Item("N55");
  QVERIFY(labelControl->isChecked());
  w_->Trigger("N55");
  QVERIFY(!labelControl->isChecked());
  QVERIFY(!editor.LabelControl());

  w_->Click(300, 120);
  QCOMPARE(editor.Selected(), 1);
  const QString doomed = QString::fromStdString(w_->Objects()[1].Name);
  w_->Trigger("N19");
  QCOMPARE(w_->Objects().size(), 1u);
  QCOMPARE(editor.Selected(), -1);

  // The undo and redo items name their step; the keys reach the editor.
  QAction* undo = w_->Item("UndoItem");
  QAction* redo = w_->Item("RedoItem");
  auto* objectsMenu = qobject_cast<QMenu*>(undo->associatedObjects().value(0));
  QVERIFY(objectsMenu != nullptr);
  emit objectsMenu->aboutToShow();
  QCOMPARE(undo->text(), Utf8("Отменить: удаление ") + doomed);
  QVERIFY(!redo->isEnabled());
  QTest::keyClick(w_->form.get(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(w_->Objects().size(), 2u);
  emit objectsMenu->aboutToShow();
  QCOMPARE(redo->text(), Utf8("Повторить: удаление ") + doomed);
  QTest::keyClick(w_->form.get(), Qt::Key_Y, Qt::ControlModifier);
  QCOMPARE(w_->Objects().size(), 1u);
  w_->Click(100, 100);
  QTest::mouseClick(w_->form->findChild<QToolButton*>("RxSpeedButton5"), Qt::LeftButton);
  QVERIFY(w_->Objects().empty());
}

void MainWindowMenusTest::hintWindowFollowsPromptAndMenu() {
  w_->Preset("HelpFormLeft", 321);
  w_->Preset("HelpFormTop", 123);
  w_->Preset("HelpShow", 0);
  QVERIFY(Start());
  THelpForm* hint = w_->form->HintWindow();
  QCOMPARE(hint->pos(), QPoint(321, 123));
  QVERIFY(hint->isHidden());
  QVERIFY(!w_->Item("N53")->isChecked());
  w_->Trigger("N53");
  QVERIFY(hint->isVisible());
  QVERIFY(w_->Item("N53")->isChecked());
  // It stays above the main window, whose tool window it is.
  QCOMPARE(hint->windowHandle()->transientParent(), w_->form->windowHandle());

  w_->Trigger("NewObject101");
  QCOMPARE(hint->Text(), QString::fromStdString(w_->form->Prompt()));
  QTest::keyClick(w_->form.get(), Qt::Key_Escape);
  QCOMPARE(hint->Text(), Utf8(texts::kStandardPrompt));
}

QTEST_MAIN(MainWindowMenusTest)
#include "main_window_menus_test.moc"
