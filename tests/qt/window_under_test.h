#pragma once

#include <QAction>
#include <QSettings>
#include <QtTest>
#include <memory>

#include "controls/zm_paint_box.h"
#include "mainwindow/main_form.h"
#include "platform/qt_settings_store.h"
#include "program_folder.h"
#include "scripted_prompts.h"

namespace zelmora {

// The real main window in a program folder and a settings file of its own,
// with every question answered by a script.
struct WindowUnderTest {
  TestProgramFolder folder;
  std::unique_ptr<QtSettingsStore> store;
  ScriptedPrompts prompts;
  std::unique_ptr<TMainForm> form;
  // The user's data folder of an installed program; empty: the program folder.
  QString userFolder;

  WindowUnderTest() { ReopenStore(); }

  // A fresh store object on the same file, as a new run of the program has.
  void ReopenStore() {
    form.reset();
    store = std::make_unique<QtSettingsStore>(folder.SettingsFile().toStdString());
  }

  // Values planted in the settings file before the window starts.
  void Preset(const QString& name, const QVariant& value) {
    QSettings file(folder.SettingsFile(), QSettings::IniFormat);
    file.setValue(name, value);
    file.sync();
    ReopenStore();
  }

  // What the settings file holds now.
  QVariant Stored(const QString& name) const {
    return QSettings(folder.SettingsFile(), QSettings::IniFormat).value(name);
  }

  bool Create(const QString& commandLineFile = {}) {
    MainFormOptions options;
    options.programFolder = folder.path();
    options.userFolder = userFolder;
    options.store = store.get();
    options.prompts = &prompts;
    options.commandLineFile = commandLineFile;
    form = TMainForm::Create(options);
    return form != nullptr;
  }

  // Created, shown and ready for input.
  bool Start(const QString& commandLineFile = {}) {
    if (!Create(commandLineFile)) return false;
    form->resize(800, 600);
    form->show();
    return QTest::qWaitForWindowExposed(form.get());
  }

  QAction* Item(const char* name) const { return form->MenuItem(QString::fromLatin1(name)); }
  void Trigger(const char* name) const {
    QAction* item = Item(name);
    QVERIFY2(item != nullptr, name);
    item->trigger();
  }

  void Click(int x, int y) const {
    QTest::mouseClick(form->PlaneBox(), Qt::LeftButton, {}, QPoint(x, y));
  }

  // A free point placed through the menu, as a user does.
  void AddPoint(int x, int y) const {
    Trigger("NewObject0");
    Click(x, y);
    QTest::keyClick(form.get(), Qt::Key_Escape);
  }
  // A modified drawing of two points.
  void DrawTwoPoints() const {
    AddPoint(100, 100);
    AddPoint(300, 120);
  }

  QString Caption() const { return form->windowTitle(); }
  ObjectList& Objects() const { return form->editor().Objects(); }
  QString Saves(const QString& name) const { return folder.Path(QStringLiteral("Saves/") + name); }
};

}  // namespace zelmora
