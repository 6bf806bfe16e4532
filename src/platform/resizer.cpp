// Anchor-based resizing of a window's controls.
#include "platform/resizer.h"

#include <QEvent>
#include <QWidget>

namespace jurnal {

Resizer::Resizer(QWidget* window, QSize designed) : QObject(window), m_window(window), m_designed(designed) {
  window->installEventFilter(this);
}

void Resizer::add(QWidget* control, int anchors) { m_items.push_back({control, control->geometry(), anchors}); }

void Resizer::apply() {
  const int dx = std::max(0, m_window->width() - m_designed.width());
  const int dy = std::max(0, m_window->height() - m_designed.height());
  for (const Item& item : m_items) {
    if (!item.control) continue;
    QRect r = item.designed;
    if (item.anchors & StretchX) r.setWidth(r.width() + dx);
    else if (item.anchors & MoveX) r.moveLeft(r.left() + dx);
    if (item.anchors & StretchY) r.setHeight(r.height() + dy);
    else if (item.anchors & MoveY) r.moveTop(r.top() + dy);
    item.control->setGeometry(r);
  }
}

bool Resizer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_window && event->type() == QEvent::Resize) apply();
  return QObject::eventFilter(watched, event);
}

}  // namespace jurnal
