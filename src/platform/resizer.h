// The resizer of resizable windows: every control keeps its designed rectangle; when the
// window grows beyond its designed size, lists and sheets stretch and the controls below or
// to the right of them move with the edge they are anchored to.
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

namespace jurnal {

class Resizer final : public QObject {
  Q_OBJECT
 public:
  enum Anchor {
    Fixed = 0,
    MoveX = 1,       // keeps its distance to the right edge
    MoveY = 2,       // keeps its distance to the bottom edge
    StretchX = 4,    // grows with the width
    StretchY = 8,    // grows with the height
  };

  // `window` is the widget whose size drives the layout; `designed` its designed client size.
  Resizer(QWidget* window, QSize designed);

  void add(QWidget* control, int anchors);
  void apply();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Item {
    QPointer<QWidget> control;
    QRect designed;
    int anchors;
  };
  QWidget* m_window;
  QSize m_designed;
  QList<Item> m_items;
};

}  // namespace jurnal
