// The window procedure: every window of the program follows one pattern. Starting: name
// itself to the error manager, take over and clear Glo:Request and Glo:Response, open its
// files, open its window and restore the window's section of the settings file. Ending:
// release its files, save the window's section (only if the window was opened), restore the
// error manager's previous name, leave its outcome in Glo:Response.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <cstdint>

#include "platform/context.h"

class QWidget;

namespace jurnal {

class Procedure : public QObject {
  Q_OBJECT
 public:
  enum class Placement { MdiChild, TopLevel };

  Procedure(const QString& name, ContextPtr context);
  ~Procedure() override;

  const QString& name() const { return m_name; }
  Context& context() const { return *m_context; }
  const ContextPtr& contextPtr() const { return m_context; }
  // The request taken over from Glo:Request when the procedure started.
  std::uint8_t request() const { return m_request; }

  // The window content the procedure built, and the window that frames it (an MDI child
  // window or the content itself when it is a top-level window). Null before opening.
  QWidget* window() const { return m_content; }
  QWidget* frameWindow() const { return m_frame; }
  bool isRunning() const { return m_started && !m_ended; }

  // Runs the start pattern and shows the window. Returns false when the procedure ended at
  // once (files could not be opened, the request was refused); finished() has then been sent.
  bool start();

  // Asks the window to close as its close box would (queryClose may refuse).
  void requestClose();
  // Ends the procedure with this outcome, closing the window without asking.
  void finish(int response);

 signals:
  void finished(int response);

 protected:
  // Open the files the procedure needs through their file managers; false stops the start.
  virtual bool openFiles() { return true; }
  // Release what openFiles opened.
  virtual void closeFiles() {}
  // Build the window content; the procedure owns it until the frame window takes it over.
  virtual QWidget* createWindow() = 0;
  // The window has been opened and its section restored.
  virtual void windowOpened() {}
  // The window's close box (or the procedure's own Close) was used: true lets it close.
  virtual bool queryClose() { return true; }
  // The window is about to close for good (hand-backs and the like).
  virtual void aboutToEnd() {}

  // The outcome reported when the window is closed by its close box; cancelled by default.
  void setCloseResponse(int response) { m_closeResponse = response; }
  void setPlacement(Placement placement) { m_placement = placement; }
  void setResizable(bool resizable) { m_resizable = resizable; }
  void setCentered(bool centered) { m_centered = centered; }
  // A window without a system menu has no close box.
  void setCloseBox(bool closeBox) { m_closeBox = closeBox; }
  // The INI section; the procedure's name unless set.
  void setSectionName(const QString& section) { m_section = section; }
  bool resizable() const { return m_resizable; }

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool isEnabledToClose() const;
  void end(int response);

  QString m_name;
  QString m_section;
  ContextPtr m_context;
  std::uint8_t m_request = 0;
  QPointer<QWidget> m_content;
  QPointer<QWidget> m_frame;
  Placement m_placement = Placement::MdiChild;
  bool m_resizable = false;
  bool m_centered = false;
  bool m_closeBox = true;
  bool m_started = false;
  bool m_filesOpen = false;
  bool m_windowOpened = false;
  bool m_ended = false;
  bool m_nameSet = false;
  int m_closeResponse = 2;
};

}  // namespace jurnal
