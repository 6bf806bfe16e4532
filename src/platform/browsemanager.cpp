// The lazily fed browse list: one page of rows, read by key position.
#include "platform/browsemanager.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/fixedtext.h"
#include "core/globals.h"
#include "core/win1251.h"
#include "platform/browseitemdelegate.h"
#include "platform/dialogunits.h"

namespace jurnal {
namespace {

constexpr std::int64_t kBeforeAnyId = std::numeric_limits<std::int64_t>::min();
// The scroll bar's scale: its value is the position in the order in thousandths.
constexpr int kScaleMax = 1000;
// Bytes of a text key that the value scale looks at.
constexpr int kScaleBytes = 6;

std::string toCp1251(const QString& text) { return utf8ToCp1251(text.toStdString()); }

// A key value on a line: numbers as they are, texts as base-256 fractions of their first bytes.
double scaleOf(const KeyValue& v) {
  if (const auto* i = std::get_if<std::int64_t>(&v)) return static_cast<double>(*i);
  if (const auto* d = std::get_if<double>(&v)) return *d;
  const auto& s = std::get<std::string>(v);
  double x = 0, unit = 1;
  for (int i = 0; i < kScaleBytes && i < static_cast<int>(s.size()); ++i) {
    unit /= 256;
    x += static_cast<unsigned char>(s[static_cast<std::size_t>(i)]) * unit;
  }
  return x;
}

// The key value at `fraction` of the way from `lo` to `hi` (the inverse of scaleOf).
KeyValue valueAt(double fraction, const KeyValue& lo, const KeyValue& hi) {
  const double x = scaleOf(lo) + fraction * (scaleOf(hi) - scaleOf(lo));
  if (std::holds_alternative<std::int64_t>(lo)) return static_cast<std::int64_t>(std::llround(x));
  if (std::holds_alternative<double>(lo)) return x;
  std::string s;
  double rest = x;
  for (int i = 0; i < kScaleBytes; ++i) {
    rest *= 256;
    const int byte = std::clamp(static_cast<int>(std::floor(rest)), 0, 255);
    rest -= byte;
    if (byte == 0) break;
    s.push_back(static_cast<char>(byte));
  }
  return s;
}

}  // namespace

BrowseManager::BrowseManager(QTableView* list, QScrollBar* scrollBar, std::unique_ptr<BrowseView> view,
                             QObject* parent)
    : QObject(parent), m_list(list), m_scrollBar(scrollBar), m_view(std::move(view)), m_model(new BrowseModel(this)),
      m_watch(new QTimer(this)) {
  m_locators.resize(m_view->orderCount());
  list->setModel(m_model);
  list->setSelectionBehavior(QAbstractItemView::SelectRows);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list->setTabKeyNavigation(false);
  list->verticalHeader()->hide();
  list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  list->verticalHeader()->setDefaultSectionSize(list->fontMetrics().height() + 4);
  list->setWordWrap(false);
  list->setContextMenuPolicy(Qt::CustomContextMenu);
  list->installEventFilter(this);
  list->viewport()->installEventFilter(this);
  connect(list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& index) {
            if (m_settingCurrent || !index.isValid()) return;
            m_current = index.row();
            syncScrollBar();
            emit highlightChanged();
          });
  connect(list, &QAbstractItemView::doubleClicked, this, [this] { update(Request::Change); });
  connect(list, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
    if (!m_popup || !m_list) return;
    m_popup->popup(m_list->viewport()->mapToGlobal(pos));
  });
  if (m_scrollBar) {
    m_scrollBar->setRange(0, kScaleMax);
    m_scrollBar->setPageStep(kScaleMax / 10);
    m_scrollBar->setSingleStep(1);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    connect(m_scrollBar, &QAbstractSlider::actionTriggered, this, &BrowseManager::scrollBarAction);
    connect(m_scrollBar, &QAbstractSlider::sliderMoved, this, &BrowseManager::scrollBarMoved);
  }
  m_watch->setInterval(kRefreshWatchMs);
  connect(m_watch, &QTimer::timeout, this, &BrowseManager::checkForChanges);
}

BrowseManager::~BrowseManager() = default;

void BrowseManager::setColumns(const QVector<BrowseColumn>& columns, const DialogUnits& units) {
  m_model->setColumns(columns);
  if (!m_list) return;
  m_list->setItemDelegate(new BrowseItemDelegate(units.x(4) / 4.0, m_list));
  QHeaderView* header = m_list->horizontalHeader();
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  // The widths were drawn for a narrower font than ours: a column is never narrower than its
  // header's text or its format's characters, so no value is cut.
  const QFontMetrics cells(m_list->font());
  const QFontMetrics heads(header->font());
  const int margin = units.x(4) + 2 * units.x(2);
  for (int c = 0; c < columns.size(); ++c) {
    const BrowseColumn& column = columns[c];
    const int minimum = std::max(heads.horizontalAdvance(column.header),
                                 cells.horizontalAdvance(QString(column.formatChars, QLatin1Char('0')))) + margin;
    m_list->setColumnWidth(c, std::max(units.x(column.width), column.width > 10 ? minimum : 0));
    header->setSectionResizeMode(c, columns[c].resizable ? QHeaderView::Interactive : QHeaderView::Fixed);
  }
}

void BrowseManager::setLocator(int order, Locator locator) {
  if (order >= 0 && order < m_locators.size()) m_locators[order] = std::move(locator);
}

void BrowseManager::setUpdateHook(UpdateHook hook) {
  m_updateHook = std::move(hook);
  if (m_popup) return;
  m_popup = new QMenu(m_list);
  const struct {
    const char* text;
    int request;
  } items[] = {{"&Insert", Request::Insert}, {"&Change", Request::Change}, {"&Delete", Request::Delete}};
  for (const auto& item : items) {
    QAction* action = m_popup->addAction(QString::fromUtf8(item.text));
    action->setObjectName(QString::fromUtf8(item.text).remove(QLatin1Char('&')).toUpper());
    connect(action, &QAction::triggered, this, [this, r = item.request] { update(r); });
  }
  updateControls();
}

void BrowseManager::setUpdateControls(QAbstractButton* insert, QAbstractButton* change, QAbstractButton* remove) {
  m_insert = insert;
  m_change = change;
  m_delete = remove;
  if (insert) connect(insert, &QAbstractButton::clicked, this, [this] { update(Request::Insert); });
  if (change) connect(change, &QAbstractButton::clicked, this, [this] { update(Request::Change); });
  if (remove) connect(remove, &QAbstractButton::clicked, this, [this] { update(Request::Delete); });
  updateControls();
}

void BrowseManager::start() {
  m_started = false;
  orderChanged();
  m_started = true;
  m_watch->start();
}

void BrowseManager::orderChanged() {
  const int order = m_orderChoice ? m_orderChoice() : 0;
  if (m_started && order == m_view->order()) return;
  m_view->setOrder(order);
  m_locatorText.clear();
  m_view->setSelectionKey({});
  emit locatorChanged(m_locatorText);
  fillAt(std::nullopt, 0);
}

int BrowseManager::pageSize() const {
  if (!m_list) return 1;
  const int rowHeight = std::max(1, m_list->verticalHeader()->defaultSectionSize());
  return std::max(1, m_list->viewport()->height() / rowHeight);
}

const BrowseRow* BrowseManager::current() const {
  const auto& rows = m_model->rows();
  if (m_current < 0 || m_current >= static_cast<int>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(m_current)];
}

void BrowseManager::refill() {
  if (const BrowseRow* row = current())
    fillAt(row->position, m_current);
  else
    fillAt(std::nullopt, 0);
}

void BrowseManager::fillAt(const std::optional<JurPosition>& pos, int row) {
  const int page = pageSize();
  if (!pos) {
    setRows(m_view->read(std::nullopt, true, true, page), 0);
    return;
  }
  std::vector<BrowseRow> after = m_view->read(pos, true, true, page);
  if (after.empty()) {
    toLast();
    return;
  }
  const int wantBefore = std::max(std::min(row, page - 1), page - static_cast<int>(after.size()));
  std::vector<BrowseRow> before;
  if (wantBefore > 0) before = m_view->read(pos, false, false, wantBefore);
  std::vector<BrowseRow> rows;
  rows.reserve(before.size() + after.size());
  rows.insert(rows.end(), std::make_move_iterator(before.rbegin()), std::make_move_iterator(before.rend()));
  const int current = static_cast<int>(rows.size());
  rows.insert(rows.end(), std::make_move_iterator(after.begin()), std::make_move_iterator(after.end()));
  if (static_cast<int>(rows.size()) > page) rows.resize(static_cast<std::size_t>(page));
  setRows(std::move(rows), current);
}

void BrowseManager::setRows(std::vector<BrowseRow> rows, int current) {
  const bool empty = rows.empty();
  m_settingCurrent = true;
  m_model->setRows(std::move(rows));
  m_current = empty ? -1 : std::clamp(current, 0, rowCount() - 1);
  if (m_list && !empty) m_list->setCurrentIndex(m_model->index(m_current, 0));
  m_settingCurrent = false;
  m_version = m_view->dataVersion();
  updateControls();
  syncScrollBar();
  if (empty != m_wasEmpty || !m_started) emit emptyChanged(empty);
  m_wasEmpty = empty;
  emit highlightChanged();
}

void BrowseManager::setCurrentRow(int row) {
  if (row < 0 || row >= rowCount() || row == m_current) return;
  m_settingCurrent = true;
  m_current = row;
  if (m_list) m_list->setCurrentIndex(m_model->index(row, 0));
  m_settingCurrent = false;
  syncScrollBar();
  emit highlightChanged();
}

// Shifts the page by `rows` records (down when positive) keeping the highlight on its record
// while that stays on the page. The page is refilled in one model reset.
void BrowseManager::scrollBy(int rows) {
  const auto& page = m_model->rows();
  if (page.empty() || rows == 0) return;
  const int size = pageSize();
  std::vector<BrowseRow> now(page.begin(), page.end());
  int current = m_current;
  if (rows > 0) {
    std::vector<BrowseRow> more = m_view->read(now.back().position, false, true, rows);
    if (more.empty()) return;
    now.insert(now.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    const int drop = std::max(0, static_cast<int>(now.size()) - size);
    now.erase(now.begin(), now.begin() + drop);
    current -= drop;
  } else {
    std::vector<BrowseRow> more = m_view->read(now.front().position, false, false, -rows);
    if (more.empty()) return;
    const int added = static_cast<int>(more.size());
    std::vector<BrowseRow> merged;
    merged.reserve(more.size() + now.size());
    merged.insert(merged.end(), std::make_move_iterator(more.rbegin()), std::make_move_iterator(more.rend()));
    merged.insert(merged.end(), std::make_move_iterator(now.begin()), std::make_move_iterator(now.end()));
    if (static_cast<int>(merged.size()) > size) merged.resize(static_cast<std::size_t>(size));
    now = std::move(merged);
    current += added;
  }
  setRows(std::move(now), std::clamp(current, 0, size - 1));
}

void BrowseManager::moveBy(int rows) {
  if (rowCount() == 0 || rows == 0) return;
  const int target = m_current + rows;
  if (target >= 0 && target < rowCount()) {
    setCurrentRow(target);
    return;
  }
  if (target < 0) {
    scrollBy(target);
    setCurrentRow(0);
  } else {
    scrollBy(target - (rowCount() - 1));
    setCurrentRow(rowCount() - 1);
  }
}

void BrowseManager::pageDown() {
  if (rowCount() == 0) return;
  const BrowseRow before = *current();
  scrollBy(pageSize());
  if (current() && current()->position.id == before.position.id) setCurrentRow(rowCount() - 1);
}

void BrowseManager::pageUp() {
  if (rowCount() == 0) return;
  const BrowseRow before = *current();
  scrollBy(-pageSize());
  if (current() && current()->position.id == before.position.id) setCurrentRow(0);
}

void BrowseManager::toFirst() { fillAt(std::nullopt, 0); }

void BrowseManager::toLast() {
  std::vector<BrowseRow> back = m_view->read(std::nullopt, true, false, pageSize());
  std::reverse(back.begin(), back.end());
  const int last = static_cast<int>(back.size()) - 1;
  setRows(std::move(back), last);
}

void BrowseManager::typeCharacter(QChar c) {
  const Locator& locator = m_locators.value(m_view->order());
  switch (locator.kind) {
    case LocatorKind::None:
      return;
    case LocatorKind::Step: {
      // The next row if it begins with the letter, else the first name not less than it.
      if (rowCount() == 0) return;
      moveBy(1);
      const std::string letter = upperCp1251(toCp1251(QString(c)));
      const BrowseRow* row = current();
      const auto* key = row ? std::get_if<std::string>(&row->position.key) : nullptr;
      if (key && key->starts_with(letter)) return;
      fillAt(JurPosition{KeyValue(letter), kBeforeAnyId}, 0);
      return;
    }
    case LocatorKind::SelectionKey:
    case LocatorKind::Incremental:
      if (m_locatorText.size() >= kLocatorMax) return;
      m_locatorText.append(c);
      applyLocator();
      return;
  }
}

void BrowseManager::backspace() {
  const Locator& locator = m_locators.value(m_view->order());
  if (locator.kind != LocatorKind::SelectionKey && locator.kind != LocatorKind::Incremental) return;
  if (m_locatorText.isEmpty()) return;
  m_locatorText.chop(1);
  applyLocator();
}

void BrowseManager::applyLocator() {
  const Locator& locator = m_locators.value(m_view->order());
  if (locator.kind == LocatorKind::SelectionKey) {
    m_view->setSelectionKey(toCp1251(m_locatorText));
    fillAt(std::nullopt, 0);
  } else if (locator.kind == LocatorKind::Incremental && locator.value) {
    if (const std::optional<KeyValue> value = locator.value(m_locatorText))
      fillAt(JurPosition{*value, kBeforeAnyId}, 0);
  }
  emit locatorChanged(m_locatorText);
}

void BrowseManager::update(int request) {
  if (!m_updateHook || m_updating) return;
  if (request != Request::Insert && rowCount() == 0) return;
  std::optional<std::int64_t> id;
  if (const BrowseRow* row = current()) {
    // The form gets the stored record, not the row: the row may be stale or abridged.
    id = row->position.id;
    if (!m_view->reload(*id)) {
      refill();
      return;
    }
  }
  m_updating = true;
  const int keepRow = std::max(0, m_current);
  QPointer<BrowseManager> self(this);
  m_updateHook(request, [self, request, id, keepRow](int response) {
    if (!self) return;
    self->m_updating = false;
    std::optional<JurPosition> pos;
    if (response == Response::Completed && request != Request::Delete)
      pos = self->m_view->positionOfBuffer(request == Request::Change ? id : std::nullopt);
    if (pos)
      self->fillAt(pos, keepRow);
    else
      self->refill();
    if (self->m_list) self->m_list->setFocus();
    emit self->updated(request, response);
  });
}

void BrowseManager::updateControls() {
  const bool rows = rowCount() > 0;
  if (m_change) m_change->setEnabled(rows);
  if (m_delete) m_delete->setEnabled(rows);
  if (m_popup) {
    const auto actions = m_popup->actions();
    for (int i = 1; i < actions.size(); ++i) actions[i]->setEnabled(rows);
  }
}

void BrowseManager::checkForChanges() {
  if (!m_list || !m_list->isVisible() || m_updating) return;
  if (m_view->dataVersion() != m_version) refill();
}

void BrowseManager::syncScrollBar() {
  if (!m_scrollBar) return;
  const BrowseRow* row = current();
  m_scrollBar->setEnabled(row != nullptr);
  int value = 0;
  if (row) {
    const auto first = m_view->read(std::nullopt, true, true, 1);
    const auto last = m_view->read(std::nullopt, true, false, 1);
    if (!first.empty() && !last.empty()) {
      if (row->position.id == last.front().position.id) {
        value = kScaleMax;
      } else if (row->position.id != first.front().position.id) {
        const double lo = scaleOf(first.front().position.key);
        const double hi = scaleOf(last.front().position.key);
        const double x = scaleOf(row->position.key);
        if (hi > lo) value = std::clamp(static_cast<int>(std::lround((x - lo) / (hi - lo) * kScaleMax)), 1, kScaleMax - 1);
      }
    }
  }
  const QSignalBlocker block(m_scrollBar);
  m_scrollBar->setValue(value);
}

void BrowseManager::scrollBarAction(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: moveBy(1); break;
    case QAbstractSlider::SliderSingleStepSub: moveBy(-1); break;
    case QAbstractSlider::SliderPageStepAdd: pageDown(); break;
    case QAbstractSlider::SliderPageStepSub: pageUp(); break;
    case QAbstractSlider::SliderToMinimum: toFirst(); break;
    case QAbstractSlider::SliderToMaximum: toLast(); break;
    default: return;
  }
  // The slider applies its own step after this signal; put the thumb back where the list is.
  QTimer::singleShot(0, this, &BrowseManager::syncScrollBar);
}

void BrowseManager::scrollBarMoved(int value) {
  if (value <= 0) {
    toFirst();
  } else if (value >= kScaleMax) {
    toLast();
  } else {
    const auto first = m_view->read(std::nullopt, true, true, 1);
    const auto last = m_view->read(std::nullopt, true, false, 1);
    if (first.empty() || last.empty()) return;
    const KeyValue key =
        valueAt(static_cast<double>(value) / kScaleMax, first.front().position.key, last.front().position.key);
    fillAt(JurPosition{key, kBeforeAnyId}, 0);
  }
  // Dragging keeps the thumb where the user holds it.
  const QSignalBlocker block(m_scrollBar);
  m_scrollBar->setValue(value);
}

bool BrowseManager::handleKey(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Up: moveBy(-1); return true;
    case Qt::Key_Down: moveBy(1); return true;
    case Qt::Key_PageUp: pageUp(); return true;
    case Qt::Key_PageDown: pageDown(); return true;
    case Qt::Key_Home: toFirst(); return true;
    case Qt::Key_End: toLast(); return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (mods & Qt::ControlModifier && m_updateHook) {
        update(Request::Change);
        return true;
      }
      return false;
    case Qt::Key_Insert:
      if (!m_updateHook) return false;
      update(Request::Insert);
      return true;
    case Qt::Key_Delete:
      if (!m_updateHook) return false;
      update(Request::Delete);
      return true;
    case Qt::Key_Backspace: backspace(); return true;
    default: break;
  }
  if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = event->text();
  if (text.size() != 1 || !text[0].isPrint()) return false;
  typeCharacter(text[0]);
  return true;
}

bool BrowseManager::eventFilter(QObject* watched, QEvent* event) {
  if (!m_list) return false;
  if (watched == m_list) {
    if (event->type() == QEvent::KeyPress) return handleKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusIn) checkForChanges();
  } else if (watched == m_list->viewport()) {
    if (event->type() == QEvent::Resize && m_started) {
      if (pageSize() != rowCount() || rowCount() == 0) refill();
    } else if (event->type() == QEvent::Wheel) {
      const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 40;
      scrollBy(-steps);
      return true;
    }
  }
  return false;
}

QScrollBar* placeBrowseList(QTableView* list, QWidget* parent, const DialogUnits& units, QRect dluRect,
                            Resizer* resizer) {
  auto* bar = new QScrollBar(Qt::Vertical, parent);
  bar->setObjectName(list->objectName() + QStringLiteral(":SCROLL"));
  const int barWidth = bar->sizeHint().width();
  const QRect rect = units.rect(dluRect.x(), dluRect.y(), dluRect.width(), dluRect.height());
  list->setGeometry(rect.adjusted(0, 0, -barWidth, 0));
  bar->setGeometry(rect.right() - barWidth + 1, rect.top(), barWidth, rect.height());
  resizer->add(list, Resizer::StretchX | Resizer::StretchY);
  resizer->add(bar, Resizer::MoveX | Resizer::StretchY);
  return bar;
}

}  // namespace jurnal
