#include <QKeyEvent>
#include <QtTest>

#include "mainwindow/key_translation.h"

using namespace zelmora;

namespace {

// Each key of a Russian keyboard: the Latin capital it carries, then the
// Cyrillic one that the Russian layout types on it.
const char kRussianLayout[] = "QЙWЦEУRКTЕYНUГIШOЩPЗAФSЫDВFАGПHРJОKЛLДZЯXЧCСVМBИNТMЬ";

// The editor's key for Ctrl with `qtKey`; -1 for none.
int CtrlKey(int qtKey) {
  const QKeyEvent event(QEvent::KeyPress, qtKey, Qt::ControlModifier);
  const std::optional<Key> key = EditorKey(event);
  return key ? static_cast<int>(*key) : -1;
}

}  // namespace

class KeyTranslationTest : public QObject {
  Q_OBJECT

 private slots:
  void ctrlShortcutsGoByTheKeyNotTheLayout_data();
  void ctrlShortcutsGoByTheKeyNotTheLayout();
};

void KeyTranslationTest::ctrlShortcutsGoByTheKeyNotTheLayout_data() {
  QTest::addColumn<int>("latin");
  QTest::addColumn<int>("cyrillic");
  const QString layout = QString::fromUtf8(kRussianLayout);
  for (int i = 0; i + 1 < layout.size(); i += 2) {
    QTest::addRow("%s", qPrintable(layout.mid(i, 2)))
        << static_cast<int>(layout[i].unicode()) << static_cast<int>(layout[i + 1].unicode());
  }
}

// Ctrl+C, L, P, V, Y and Z are shortcuts of the drawing; a pupil with the
// Russian layout switched on presses the same keys and must get the same.
void KeyTranslationTest::ctrlShortcutsGoByTheKeyNotTheLayout() {
  QFETCH(int, latin);
  QFETCH(int, cyrillic);
  const bool shortcut = QStringLiteral("CLPVYZ").contains(QChar(latin));
  QCOMPARE(CtrlKey(latin) != -1, shortcut);
  QCOMPARE(CtrlKey(cyrillic), CtrlKey(latin));
}

QTEST_MAIN(KeyTranslationTest)
#include "key_translation_test.moc"
