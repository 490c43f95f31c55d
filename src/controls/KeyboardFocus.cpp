#include "controls/KeyboardFocus.h"

#include <tuple>

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

#include "controls/TopWindow.h"

namespace vtg::controls {
namespace {

std::uint32_t virtualKeyFor(int qtKey, bool keypad) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 0x41 + std::uint32_t(qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 0x30 + std::uint32_t(qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + std::uint32_t(qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return KeyCode::tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return KeyCode::enter;
    case Qt::Key_Pause: return 0x13;
    case Qt::Key_Escape: return KeyCode::escape;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_Insert: return 0x2D;
    case Qt::Key_Delete: return 0x2E;
    case Qt::Key_Asterisk: return keypad ? 0x6A : 0;
    case Qt::Key_Plus: return keypad ? 0x6B : 0;
    case Qt::Key_Minus: return keypad ? 0x6D : 0;
    case Qt::Key_Period: return keypad ? 0x6E : 0;
    case Qt::Key_Slash: return keypad ? 0x6F : 0;
    default: return 0;
  }
}

// Sort key of an entry: tabOrder first, then the later unit first.
std::tuple<std::int32_t, int> tabKey(std::span<const TabEntry> entries, int i) {
  return {entries[std::size_t(i)].tabOrder, -i};
}

// Sees every key press in the program. A key press goes first to the focused widget and,
// when that does not take it, on to its parents; the window acts on the first delivery
// only, so nothing happens twice.
class KeyRouter : public QObject {
 protected:
  bool eventFilter(QObject* target, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
    auto* widget = qobject_cast<QWidget*>(target);
    if (!widget) return false;
    auto* window = qobject_cast<TopWindow*>(widget->window());
    if (!window) return false;
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != widget && widget->isAncestorOf(focus)) return false;

    const auto* key = static_cast<QKeyEvent*>(event);
    const std::uint32_t code = keyCodeFor(key->key(), key->modifiers());
    if (type == QEvent::ShortcutOverride) {
      // Claiming the key keeps shortcuts (such as a button's own mnemonic) from taking it
      // before the window's rules see the key press.
      if (!window->takesKey(code)) return false;
      event->accept();
      return true;
    }
    return window->handleKey(code);
  }
};

}  // namespace

std::uint32_t keyCodeFor(int qtKey, Qt::KeyboardModifiers modifiers) {
  const std::uint32_t vk = virtualKeyFor(qtKey, modifiers.testFlag(Qt::KeypadModifier));
  if (vk == 0) return 0;
  std::uint32_t code = vk;
  if (modifiers.testFlag(Qt::ControlModifier)) code |= KeyCode::ctrl;
  if (modifiers.testFlag(Qt::ShiftModifier) || qtKey == Qt::Key_Backtab) code |= KeyCode::shift;
  if (modifiers.testFlag(Qt::AltModifier)) code |= KeyCode::alt;
  return code;
}

int nextInTabOrder(std::span<const TabEntry> entries, int from, bool forward) {
  const int n = static_cast<int>(entries.size());
  const bool haveFrom = from >= 0 && from < n;
  int best = -1;   // nearest candidate in the direction of travel
  int wrap = -1;   // the candidate at the far end, for going round
  for (int i = 0; i < n; ++i) {
    if (!entries[std::size_t(i)].candidate) continue;
    const auto key = tabKey(entries, i);
    if (wrap < 0 || (forward ? key < tabKey(entries, wrap) : key > tabKey(entries, wrap))) wrap = i;
    if (!haveFrom) continue;
    const auto fromKey = tabKey(entries, from);
    const bool ahead = forward ? key > fromKey : key < fromKey;
    if (ahead && (best < 0 || (forward ? key < tabKey(entries, best) : key > tabKey(entries, best))))
      best = i;
  }
  return best >= 0 ? best : wrap;
}

int firstInTabOrder(std::span<const TabEntry> entries) { return nextInTabOrder(entries, -1, true); }

bool hasMnemonic(std::string_view gbk, char ch) {
  const auto upper = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto c = static_cast<unsigned char>(gbk[i]);
    if (c >= 0x81 && c <= 0xFE) {
      ++i;  // a double-byte character: its trail byte is never a marker or a mnemonic
      continue;
    }
    if (c != '&' || i + 1 >= gbk.size()) continue;
    const auto next = static_cast<unsigned char>(gbk[i + 1]);
    if (next == '&') {
      ++i;
      continue;
    }
    if (upper(next) == upper(static_cast<unsigned char>(ch))) return true;
  }
  return false;
}

void installKeyRouting() {
  static QPointer<KeyRouter> router;
  if (router || !qApp) return;
  router = new KeyRouter;
  router->setParent(qApp);
  qApp->installEventFilter(router);
}

}  // namespace vtg::controls
