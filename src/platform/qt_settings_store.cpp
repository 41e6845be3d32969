#include "platform/qt_settings_store.h"

#include <QMetaType>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace zelmora {
namespace {

QString Key(const std::string& name) {
  return QString::fromStdString(name);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Zelmora"))) {}

QtSettingsStore::QtSettingsStore(const std::string& iniFile)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniFile), QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

// A damaged file still opens: the values that remain are read and the next
// write replaces it. Only a store that cannot be reached counts as closed.
bool QtSettingsStore::Open(bool create) {
  if (settings_->status() == QSettings::AccessError) return false;
  if (!create) return !settings_->allKeys().isEmpty();
  return settings_->isWritable();
}

bool QtSettingsStore::Has(const std::string& name) {
  return settings_->contains(Key(name));
}

std::optional<std::string> QtSettingsStore::ReadString(const std::string& name) {
  const QVariant value = settings_->value(Key(name));
  // A list (an unquoted comma in a hand-edited file) is not one text.
  if (!value.isValid() || value.typeId() == QMetaType::QStringList) return std::nullopt;
  if (!value.canConvert<QString>()) return std::nullopt;
  return value.toString().toStdString();
}

std::optional<int> QtSettingsStore::ReadInt(const std::string& name) {
  const QVariant value = settings_->value(Key(name));
  if (!value.isValid() || value.typeId() == QMetaType::QStringList) return std::nullopt;
  bool ok = false;
  const int number = value.toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

std::optional<bool> QtSettingsStore::ReadBool(const std::string& name) {
  const QVariant value = settings_->value(Key(name));
  if (value.typeId() == QMetaType::Bool) return value.toBool();
  // Stores written by other tools may say true/false instead of 1/0.
  const QString text = value.typeId() == QMetaType::QString ? value.toString().trimmed() : "";
  if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) return true;
  if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) return false;
  const auto number = ReadInt(name);
  if (!number) return std::nullopt;
  return *number != 0;
}

void QtSettingsStore::WriteString(const std::string& name, const std::string& value) {
  settings_->setValue(Key(name), QString::fromStdString(value));
}

void QtSettingsStore::WriteInt(const std::string& name, int value) {
  settings_->setValue(Key(name), value);
}

void QtSettingsStore::WriteBool(const std::string& name, bool value) {
  settings_->setValue(Key(name), value ? 1 : 0);
}

bool QtSettingsStore::Flush() {
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace zelmora
