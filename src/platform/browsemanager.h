// The browse manager: a list fed lazily from a keyed view of one file. It holds only the rows
// of one page (as many as fit the list) and reads more by key position as the user scrolls,
// so a list over a log of any size opens, scrolls and jumps to its end at the same cost.
// It puts the order in force (asked of the order-choice hook), runs the locators (selection
// key narrowing, incremental search, step search), keeps a scroll bar by value scale, offers
// the update buttons, keys and popup menu to the update hook, and refills itself when the
// file changes (refresh watch) keeping the highlighted record.
#pragma once

#include <QObject>
#include <QPointer>
#include <QScrollBar>
#include <QAbstractButton>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

#include "platform/browsemodel.h"
#include "platform/dialogunits.h"
#include "platform/resizer.h"
#include "platform/browseview.h"


class QKeyEvent;
class QMenu;

class QTableView;
class QTimer;

namespace jurnal {

class DialogUnits;

class BrowseManager final : public QObject {
  Q_OBJECT
 public:
  enum class LocatorKind { None, SelectionKey, Incremental, Step };
  struct Locator {
    LocatorKind kind = LocatorKind::None;
    // Incremental search: the typed text as a value of the key (nullopt: not a value yet).
    std::function<std::optional<KeyValue>(const QString&)> value;
  };
  // Called for insert (1), change (2) and delete (3) with the highlighted record re-read into
  // the thread's buffer; it must call `done` with the outcome (1 completed, 2 cancelled).
  using UpdateHook = std::function<void(int request, std::function<void(int response)> done)>;

  // Locators hold at most this many characters.
  static constexpr int kLocatorMax = 39;
  // How often the file is checked for other windows' changes.
  static constexpr int kRefreshWatchMs = 400;

  // `list` shows the rows; `scrollBar` (placed by the caller beside it) stands for the
  // position in the whole order. The manager owns `view`.
  BrowseManager(QTableView* list, QScrollBar* scrollBar, std::unique_ptr<BrowseView> view, QObject* parent);
  ~BrowseManager() override;

  void setColumns(const QVector<BrowseColumn>& columns, const DialogUnits& units);
  void setLocator(int order, Locator locator);
  void setOrderChoiceHook(std::function<int()> hook) { m_orderChoice = std::move(hook); }
  void setUpdateHook(UpdateHook hook);
  void setUpdateControls(QAbstractButton* insert, QAbstractButton* change, QAbstractButton* remove);

  // Puts the order of the order-choice hook in force and fills the list from its start.
  void start();
  // Asks the order-choice hook again; a new order starts with an empty locator.
  void orderChanged();
  // Reads the page again around the highlighted record (the next one if it is gone).
  void refill();

  // Navigation, as the list's keys do it.
  void moveBy(int rows);
  void pageDown();
  void pageUp();
  void toFirst();
  void toLast();
  // Highlights a row of the page.
  void setCurrentRow(int row);

  // Locator input: a printable character (Space included) and Backspace.
  void typeCharacter(QChar c);
  void backspace();
  QString locatorText() const { return m_locatorText; }

  // Insert (1), change (2), delete (3): the update buttons, keys and popup items.
  void update(int request);

  BrowseView& view() { return *m_view; }
  BrowseModel* model() const { return m_model; }
  int rowCount() const { return static_cast<int>(m_model->rows().size()); }
  int currentRow() const { return m_current; }
  const BrowseRow* current() const;
  int pageSize() const;
  QMenu* popupMenu() const { return m_popup; }
  QScrollBar* scrollBar() const { return m_scrollBar; }

 signals:
  void highlightChanged();
  void locatorChanged(const QString& text);
  void emptyChanged(bool empty);
  void updated(int request, int response);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Fills the page so that the record at `pos` (or the next one) is on row `row`.
  void fillAt(const std::optional<JurPosition>& pos, int row);
  void setRows(std::vector<BrowseRow> rows, int current);
  void scrollBy(int rows);
  void applyLocator();
  void checkForChanges();
  void syncScrollBar();
  void scrollBarAction(int action);
  void scrollBarMoved(int value);
  void updateControls();
  bool handleKey(QKeyEvent* event);

  QPointer<QTableView> m_list;
  QPointer<QScrollBar> m_scrollBar;
  std::unique_ptr<BrowseView> m_view;
  BrowseModel* m_model;
  QTimer* m_watch;
  QMenu* m_popup = nullptr;
  QVector<Locator> m_locators;
  std::function<int()> m_orderChoice;
  UpdateHook m_updateHook;
  QPointer<QAbstractButton> m_insert, m_change, m_delete;
  QString m_locatorText;
  int m_current = -1;
  int m_pageSize = 0;
  std::int64_t m_version = -1;
  bool m_updating = false;
  bool m_settingCurrent = false;
  bool m_started = false;
  bool m_wasEmpty = false;
};

// Places a list in the rectangle a layout gives it (dialog units) with its value-scale scroll
// bar along the right edge, both registered with the window's resizer; returns the bar.
QScrollBar* placeBrowseList(QTableView* list, QWidget* parent, const DialogUnits& units, QRect dluRect,
                            Resizer* resizer);

}  // namespace jurnal
