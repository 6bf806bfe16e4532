// The start and end steps every window procedure shares.
#include "platform/procedure.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QWidget>

#include "core/globals.h"
#include "platform/errormanager.h"
#include "platform/inisections.h"
#include "platform/runtime.h"

namespace jurnal {

Procedure::Procedure(const QString& name, ContextPtr context)
    : m_name(name), m_section(name), m_context(std::move(context)) {}

// A procedure ends through end(); one destroyed while still running (the application is
// quitting) has nothing left to save.
Procedure::~Procedure() = default;

bool Procedure::start() {
  m_started = true;
  ErrorManager::instance().setProcedureName(m_name);
  m_nameSet = true;
  Globals& g = globals();
  m_request = g.request;
  g.request = 0;
  g.response = 0;

  if (!openFiles()) {
    end(2);
    return false;
  }
  m_filesOpen = true;

  QWidget* content = createWindow();
  if (!content || m_ended) {
    if (!m_ended) end(2);
    return false;
  }
  m_content = content;

  QMdiArea* area = Runtime::instance().mdiArea();
  Qt::WindowFlags flags = Qt::WindowTitleHint;
  if (m_closeBox) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  else flags |= Qt::CustomizeWindowHint;
  if (m_resizable && m_closeBox) flags |= Qt::WindowMinMaxButtonsHint;

  if (m_placement == Placement::MdiChild && area) {
    auto* sub = new QMdiSubWindow;
    sub->setWidget(content);
    sub->setAttribute(Qt::WA_DeleteOnClose, false);
    sub->setWindowFlags(flags | Qt::SubWindow);
    sub->setWindowTitle(content->windowTitle());
    sub->setFont(content->font());
    area->addSubWindow(sub);
    sub->adjustSize();
    if (!m_resizable) sub->setFixedSize(sub->sizeHint());
    else sub->setMinimumSize(sub->minimumSizeHint());
    if (m_centered) {
      const QRect r = area->viewport()->rect();
      sub->move(r.center() - QPoint(sub->width() / 2, sub->height() / 2));
    }
    m_frame = sub;
  } else {
    content->setParent(nullptr);
    content->setWindowFlags(Qt::Window | flags);
    content->adjustSize();
    if (!m_resizable) content->setFixedSize(content->sizeHint().expandedTo(content->size()));
    if (m_centered) {
      QWidget* anchor = area ? area->window() : nullptr;
      const QRect r = anchor ? anchor->geometry()
                             : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                                 : QRect(0, 0, 800, 600));
      content->move(r.center() - QPoint(content->width() / 2, content->height() / 2));
    }
    m_frame = content;
  }
  m_frame->installEventFilter(this);
  connect(m_frame, &QObject::destroyed, this, [this] {
    if (!m_ended) end(m_closeResponse);
  });
  fetchWindow(m_section, m_frame, m_resizable);
  if (!m_frame->isVisible()) m_frame->show();
  m_frame->activateWindow();
  m_frame->raise();
  m_windowOpened = true;
  windowOpened();
  return !m_ended;
}

void Procedure::requestClose() {
  if (m_frame && !m_ended) m_frame->close();
}

void Procedure::finish(int response) { end(response); }

bool Procedure::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_frame && event->type() == QEvent::Close && !m_ended) {
    if (!isEnabledToClose()) {
      event->ignore();
      return true;
    }
    if (!queryClose()) {
      event->ignore();
      return true;
    }
    end(m_closeResponse);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

bool Procedure::isEnabledToClose() const {
  // A window waiting for a procedure it called cannot be closed until that one ends.
  return !m_frame || m_frame->isEnabled();
}

void Procedure::end(int response) {
  if (m_ended) return;
  m_ended = true;
  if (m_windowOpened) aboutToEnd();
  if (m_windowOpened && m_frame) updateWindow(m_section, m_frame, m_resizable);
  if (m_filesOpen) {
    m_filesOpen = false;
    closeFiles();
  }
  if (m_nameSet) ErrorManager::instance().restoreProcedureName();
  globals().response = static_cast<std::uint8_t>(response);
  if (m_frame) {
    m_frame->removeEventFilter(this);
    disconnect(m_frame, nullptr, this, nullptr);
    m_frame->hide();
    m_frame->deleteLater();
  }
  emit finished(response);
  deleteLater();
}

}  // namespace jurnal
