// The contact form, 154 × 267 dialog units, resizable but never below that.
#include "entry/updatejurnal.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "core/errors.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "entry/contactfields.h"
#include "entry/switchkbd.h"
#include "platform/dialogunits.h"
#include "platform/errormanager.h"
#include "platform/resizer.h"
#include "platform/runtime.h"

namespace jurnal {
namespace {

// The contact as it was when Save was last pressed in any form of this run: what Ctrl+'
// restores. One for the whole program, blank until the first Save.
JurnalRecord& recallRecord() {
  static JurnalRecord rec = [] {
    JurnalRecord r;
    r.clear();
    return r;
  }();
  return rec;
}

QString fromCp1251(std::string_view text) { return QString::fromStdString(cp1251ToUtf8(trimRight(text))); }
std::string toCp1251(const QString& text) { return utf8ToCp1251(text.toStdString()); }

// The layout each data control asks for when it receives the focus; the check boxes ask for
// none. The date entry asks on every event it gets, not only the focus.
const char* const kFieldLayout[] = {
    kLayoutEnglish, kLayoutEnglish, kLayoutEnglish, kLayoutEnglish, kLayoutEnglish, kLayoutEnglish, kLayoutRussian,
    kLayoutRussian, kLayoutRussian, kLayoutEnglish, kLayoutRussian, nullptr,        nullptr,
};

const char* const kFieldLabel[] = {
    "JUR:DATE", "JUR:UTS",    "JUR:BAND",  "JUR:RADIO",   "JUR:RSS",      "JUR:RSR",     "JUR:QTH",
    "JUR:OPERATOR", "JUR:DIPLOM", "JUR:BONUS", "JUR:REMARKS", "JUR:QLS_SEND", "JUR:QSL_RES",
};

bool isRecallKey(const QKeyEvent* key) {
  if ((key->modifiers() & Qt::ControlModifier) == 0) return false;
  // The apostrophe key of a US keyboard; under the Russian layout the same key gives Э.
  return key->key() == Qt::Key_Apostrophe || key->key() == 0x042D;
}

// Hands the events of the form's controls to the form (the procedure's own event filter
// watches its frame window).
class ControlEvents final : public QObject {
 public:
  ControlEvents(QObject* parent, std::function<bool(QObject*, QEvent*)> handler)
      : QObject(parent), m_handler(std::move(handler)) {}
  bool eventFilter(QObject* watched, QEvent* event) override { return m_handler(watched, event); }

 private:
  std::function<bool(QObject*, QEvent*)> m_handler;
};

}  // namespace

UpdateJurnal::UpdateJurnal(ContextPtr context) : Procedure(QStringLiteral("UpdateJurnal"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(true);
  setCloseResponse(Response::Cancelled);
}

void UpdateJurnal::clearRecallRecord() { recallRecord().clear(); }

JurnalRecord& UpdateJurnal::record() const { return context().files().jurnal; }

bool UpdateJurnal::openFiles() {
  m_jurnalOpen = FileManager::jurnal().open(context().files());
  return m_jurnalOpen;
}

void UpdateJurnal::closeFiles() {
  if (m_jurnalOpen) FileManager::jurnal().close(context().files());
  m_jurnalOpen = false;
}

QWidget* UpdateJurnal::createWindow() {
  if (request() == Request::Insert) {
    record().clear();
    context().files().jurnalId = 0;
  }
  m_snapshot = record();

  auto* window = new QWidget;
  window->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 8));
  m_controlEvents = new ControlEvents(window, [this](QObject* watched, QEvent* event) {
    return controlEvent(watched, event);
  });
  switch (request()) {
    case Request::View: window->setWindowTitle(QStringLiteral("View Record")); break;
    case Request::Insert: window->setWindowTitle(QStringLiteral("Adding a Jurnal Record")); break;
    case Request::Change: window->setWindowTitle(QStringLiteral("Changing a Jurnal Record")); break;
    default: window->setWindowTitle(QString()); break;
  }
  const DialogUnits units(window->font());
  const QSize designed = units.size(154, 267);
  window->resize(designed);
  window->setMinimumSize(designed);
  auto* resizer = new Resizer(window, designed);

  m_tabs = new QTabWidget(window);
  m_tabs->setObjectName(QStringLiteral("CURRENTTAB"));
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TAB:1"));
  m_tabs->addTab(page, QString::fromUtf8("Работа с записью"));
  m_tabs->tabBar()->setFocusPolicy(Qt::NoFocus);
  m_tabs->setFocusPolicy(Qt::NoFocus);
  placeDlu(units, m_tabs, 4, 3, 147, 237);
  resizer->add(m_tabs, Resizer::StretchX | Resizer::StretchY);
  connect(m_tabs->tabBar(), &QTabBar::tabBarClicked, this, [] { switchKbd(kLayoutEnglish); });

  const auto label = [&](const char* name, const QString& text, int x, int y, int w = -1, int h = -1) {
    auto* l = new QLabel(text, window);
    l->setObjectName(QString::fromLatin1(name));
    placeDlu(units, l, x, y, w, h);
    return l;
  };
  const auto entry = [&](Field field, int maxLength, int x, int y, int w, int h) {
    auto* e = new QLineEdit(window);
    e->setObjectName(QString::fromLatin1(kFieldLabel[field]));
    e->setMaxLength(maxLength);
    placeDlu(units, e, x, y, w, h);
    e->installEventFilter(m_controlEvents);
    connect(e, &QLineEdit::returnPressed, this, [this, field] {
      if (field == Date) switchKbd(kLayoutEnglish);
      accept(field);
    });
    m_controls[field] = e;
    return e;
  };

  label("JUR:DATE:PROMPT", QString::fromUtf8("Дата"), 46, 21, 19, 10);
  QLineEdit* date = entry(Date, 10, 32, 32, 48, 10);
  date->setPlaceholderText(QString::fromUtf8("Дата"));
  date->setToolTip(QString::fromUtf8("Дата"));
  label("JUR:UTS:PROMPT", QString::fromUtf8("Время"), 86, 21);
  entry(Uts, 8, 85, 32, 48, 10);
  m_utsEdit = label("GLO:UTSEDIT", QString(), 124, 21, 17, 10);
  label("JUR:BAND:PROMPT", QString::fromUtf8("Частота"), 42, 45);
  entry(Band, 6, 32, 56, 48, 10);
  label("JUR:RADIO:PROMPT", QString::fromUtf8("Позывной"), 93, 45);
  entry(Radio, 12, 85, 56, 48, 10);
  label("STRING2", QStringLiteral("UTS"), 108, 21, 16, 10);
  label("JUR:RSS:PROMPT", QStringLiteral("RSS:"), 9, 75);
  entry(Rss, 5, 45, 75, 26, 10);
  label("JUR:RSR:PROMPT", QStringLiteral("RSR:"), 9, 88);
  entry(Rsr, 5, 45, 88, 26, 10);
  label("JUR:QTH:PROMPT", QString::fromUtf8("Город"), 9, 104);
  entry(Qth, 15, 45, 104, 84, 10);
  label("JUR:OPERATOR:PROMPT", QString::fromUtf8("Оператор"), 9, 117);
  QLineEdit* op = entry(Operator, 12, 45, 117, 84, 10);
  op->setPlaceholderText(QString::fromUtf8("Оператор"));
  op->setToolTip(QString::fromUtf8("Оператор"));
  label("JUR:DIPLOM:PROMPT", QString::fromUtf8("Диплом"), 9, 131);
  entry(Diplom, 18, 45, 131, 84, 10);
  label("JUR:BONUS:PROMPT", QString::fromUtf8("Очки"), 9, 144);
  QLineEdit* bonus = entry(Bonus, 10, 45, 144, 26, 10);
  bonus->setAlignment(Qt::AlignRight);
  label("JUR:REMARKS:PROMPT", QString::fromUtf8("Пометки"), 9, 160);
  QLineEdit* remarks = entry(Remarks, 20, 45, 160, 84, 10);
  remarks->setPlaceholderText(QString::fromUtf8("Примечание"));
  remarks->setToolTip(QString::fromUtf8("Примечание"));

  const auto check = [&](Field field, const QString& text, int x, int y) {
    auto* c = new QCheckBox(text, window);
    c->setObjectName(QString::fromLatin1(kFieldLabel[field]));
    placeDlu(units, c, x, y);
    c->installEventFilter(m_controlEvents);
    connect(c, &QCheckBox::clicked, this, [this, field] { accept(field); });
    m_controls[field] = c;
  };
  check(QlsSend, QString::fromUtf8("Отправлена"), 74, 176);
  QLabel* qsl = label("STRING3", QString::fromUtf8("QSL кароточка"), 18, 184, 46, 15);
  qsl->setFont(layoutFont(QStringLiteral("Arial CYR"), 8));
  check(QslRes, QString::fromUtf8("Получена"), 74, 189);

  const QFont bold = layoutFont(QStringLiteral("MS Sans Serif"), 8, true);
  const auto status = [&](const char* name, const QString& text, int x, int y, int w, int h) {
    QLabel* l = label(name, text, x, y, w, h);
    l->setFont(bold);
    resizer->add(l, Resizer::MoveY);
    return l;
  };
  m_cq = status("GLO:CQ", QString(), 61, 210, 18, 9);
  status("STRING9", QString::fromUtf8("Язык ввода"), 83, 210, 46, 10);
  m_kbd = status("GLO:KBD", QString(), 129, 210, 16, 10);
  status("STRING6", QString::fromUtf8("Частота"), 13, 221, 28, 10);
  m_band = status("GLO:BAND", QString(), 45, 221, 34, 10);
  status("STRING5", QString::fromUtf8("Режим CQ - "), 14, 210, 45, 9);

  m_ok = new QPushButton(QString::fromUtf8("Сохранить"), window);
  m_ok->setObjectName(QStringLiteral("OK"));
  placeDlu(units, m_ok, 23, 245, 45, 14);
  m_ok->installEventFilter(m_controlEvents);
  connect(m_ok, &QPushButton::clicked, this, &UpdateJurnal::save);
  resizer->add(m_ok, Resizer::MoveY);
  m_cancel = new QPushButton(QString::fromUtf8("Отменить"), window);
  m_cancel->setObjectName(QStringLiteral("CANCEL"));
  placeDlu(units, m_cancel, 85, 245, 45, 14);
  connect(m_cancel, &QPushButton::clicked, this, [this] { requestClose(); });
  resizer->add(m_cancel, Resizer::MoveY);

  // Keyboard order is the order of the controls: date first, Cancel last.
  QWidget* previous = nullptr;
  for (QWidget* w : m_controls) {
    if (previous) QWidget::setTabOrder(previous, w);
    previous = w;
  }
  QWidget::setTabOrder(previous, m_ok);
  QWidget::setTabOrder(m_ok, m_cancel);

  displayAll();
  refreshStatus();
  // The status area shows globals that other windows change too (a second form, the settings).
  m_statusTimer = new QTimer(window);
  m_statusTimer->setInterval(250);
  connect(m_statusTimer, &QTimer::timeout, this, &UpdateJurnal::refreshStatus);
  m_statusTimer->start();
  return window;
}

void UpdateJurnal::windowOpened() {
  JurnalRecord& rec = record();
  // A stored contact without a date is treated as new, whatever the request.
  if (!isValidDate(rec.date)) fillNewContactDefaults(rec, Clock::current());
  const Globals& g = globals();
  if (g.band != 0 && isOn(g.cq)) rec.band = g.band;
  switchKbd(kLayoutEnglish);
  displayAll();
  refreshStatus();
  focusFirstField();
}

int UpdateJurnal::fieldOf(QObject* control) const {
  for (int f = 0; f < kFieldCount; ++f)
    if (m_controls[f] == control) return f;
  return -1;
}

void UpdateJurnal::display(int field) {
  const JurnalRecord& rec = record();
  QString text;
  switch (field) {
    case Date: text = formatContactDate(rec.date); break;
    case Uts: text = formatContactTime(rec.uts); break;
    case Band: text = formatContactBand(rec.band); break;
    case Radio: text = fromCp1251(fieldView(rec.radio)); break;
    case Rss: text = fromCp1251(fieldView(rec.rss)); break;
    case Rsr: text = fromCp1251(fieldView(rec.rsr)); break;
    case Qth: text = fromCp1251(fieldView(rec.qth)); break;
    case Operator: text = fromCp1251(fieldView(rec.operatorName)); break;
    case Diplom: text = fromCp1251(fieldView(rec.diplom)); break;
    case Bonus: text = formatContactBonus(rec.bonus); break;
    case Remarks: text = fromCp1251(fieldView(rec.remarks)); break;
    case QlsSend: text = rec.qlsSend[0] == '#' ? QStringLiteral("#") : QString(); break;
    case QslRes: text = rec.qslRes[0] == '#' ? QStringLiteral("#") : QString(); break;
    default: return;
  }
  if (auto* e = qobject_cast<QLineEdit*>(m_controls[field])) {
    e->setText(text);
    e->setCursorPosition(0);
    m_shown[field] = e->text();  // as the entry holds it, cut to what it accepts
  } else if (auto* c = qobject_cast<QCheckBox*>(m_controls[field])) {
    c->setChecked(!text.isEmpty());
    m_shown[field] = text;
  }
}

void UpdateJurnal::displayAll() {
  for (int f = 0; f < kFieldCount; ++f) display(f);
}

void UpdateJurnal::collect(int field, JurnalRecord& rec) const {
  if (auto* c = qobject_cast<QCheckBox*>(m_controls[field])) {
    if (c->isChecked() == !m_shown[field].isEmpty()) return;
    char& mark = field == QlsSend ? rec.qlsSend[0] : rec.qslRes[0];
    mark = c->isChecked() ? '#' : ' ';
    return;
  }
  auto* e = qobject_cast<QLineEdit*>(m_controls[field]);
  if (!e || e->text() == m_shown[field]) return;
  const QString text = e->text();
  switch (field) {
    case Date: rec.date = parseContactDate(text); break;
    case Uts: rec.uts = parseContactTime(text); break;
    case Band: rec.band = parseContactBand(text); break;
    case Radio: setField(rec.radio, toCp1251(text)); break;
    case Rss: setField(rec.rss, toCp1251(text)); break;
    case Rsr: setField(rec.rsr, toCp1251(text)); break;
    case Qth: setField(rec.qth, toCp1251(text)); break;
    case Operator: setField(rec.operatorName, toCp1251(text)); break;
    case Diplom: setField(rec.diplom, toCp1251(text)); break;
    case Bonus: rec.bonus = parseContactBonus(text); break;
    case Remarks: setField(rec.remarks, toCp1251(text)); break;
    default: break;
  }
}

void UpdateJurnal::accept(int field) {
  if (!isRunning() || m_lookupRunning) return;
  collect(field, record());
  display(field);
  Globals& g = globals();
  if (field == Band && isOn(g.cq)) {
    // CQ mode: the frequency just typed is the CQ frequency from now on.
    g.band = record().band;
    refreshStatus();
  }
  if (field == Radio && isOn(g.radio2)) {
    g.radioLook.set(fieldView(record().radio));
    if (!m_okFlag) startLookup();
  }
}

void UpdateJurnal::startLookup() {
  Runtime& runtime = Runtime::instance();
  if (!runtime.registry().has(QStringLiteral("LookContact"))) return;
  m_lookupRunning = true;
  // The lookup reads JURNAL on this thread; whatever it leaves in the buffer, the contact
  // on the form keeps every field but the two handed back.
  const JurnalRecord kept = record();
  const std::int64_t keptId = context().files().jurnalId;
  runtime.call(this, QStringLiteral("LookContact"), [this, kept, keptId](int) {
    m_lookupRunning = false;
    JurnalRecord& rec = record();
    rec = kept;
    context().files().jurnalId = keptId;
    const Globals& g = globals();
    setField(rec.qth, g.lookQth.view());
    setField(rec.operatorName, g.lookOperator.view());
    display(Qth);
    display(Operator);
  });
}

void UpdateJurnal::focusEntered(int field) {
  if (field >= 0 && kFieldLayout[field]) switchKbd(kFieldLayout[field]);
  refreshStatus();
}

void UpdateJurnal::recall(int field) {
  const JurnalRecord& from = recallRecord();
  JurnalRecord& rec = record();
  switch (field) {
    case Date: rec.date = from.date; break;
    case Uts: rec.uts = from.uts; break;
    case Band: rec.band = from.band; break;
    case Radio: std::copy_n(from.radio, sizeof rec.radio, rec.radio); break;
    case Rss: std::copy_n(from.rss, sizeof rec.rss, rec.rss); break;
    case Rsr: std::copy_n(from.rsr, sizeof rec.rsr, rec.rsr); break;
    case Qth: std::copy_n(from.qth, sizeof rec.qth, rec.qth); break;
    case Operator: std::copy_n(from.operatorName, sizeof rec.operatorName, rec.operatorName); break;
    case Diplom: std::copy_n(from.diplom, sizeof rec.diplom, rec.diplom); break;
    case Bonus: rec.bonus = from.bonus; break;
    case Remarks: std::copy_n(from.remarks, sizeof rec.remarks, rec.remarks); break;
    case QlsSend: rec.qlsSend[0] = from.qlsSend[0]; break;
    case QslRes: rec.qslRes[0] = from.qslRes[0]; break;
    default: return;
  }
  display(field);
}

bool UpdateJurnal::controlEvent(QObject* watched, QEvent* event) {
  if (watched == m_ok && event->type() == QEvent::FocusIn) {
    m_okFlag = true;
    return false;
  }
  const int field = fieldOf(watched);
  if (field < 0) return false;
  switch (event->type()) {
    case QEvent::FocusIn: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) focusEntered(field);
      break;
    }
    case QEvent::FocusOut: {
      const auto reason = static_cast<QFocusEvent*>(event)->reason();
      // Leaving an entry accepts it; switching to another window or a popup does not.
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
      if (!qobject_cast<QLineEdit*>(watched)) break;
      // Focus moving to Save counts as Save selected first: no lookup opens on the way.
      if (QApplication::focusWidget() == m_ok) m_okFlag = true;
      if (field == Date) switchKbd(kLayoutEnglish);
      accept(field);
      break;
    }
    case QEvent::KeyPress:
      if (isRecallKey(static_cast<QKeyEvent*>(event))) {
        if (field == Date) switchKbd(kLayoutEnglish);
        recall(field);
        return true;
      }
      break;
    default: break;
  }
  return false;
}

void UpdateJurnal::refreshStatus() {
  const Globals& g = globals();
  if (m_utsEdit) m_utsEdit->setText(fromCp1251(g.utsEdit.view()));
  if (m_cq) m_cq->setText(fromCp1251(g.cq.view().substr(0, 3)));
  if (m_kbd) m_kbd->setText(fromCp1251(g.kbd.view().substr(0, 3)));
  if (m_band) m_band->setText(formatCqBand(g.band));
}

void UpdateJurnal::focusFirstField() {
  if (m_controls[Date]) m_controls[Date]->setFocus(Qt::OtherFocusReason);
}

void UpdateJurnal::save() {
  if (!isRunning() || m_lookupRunning) return;
  m_okFlag = true;
  const std::uint8_t req = request();
  if (req != Request::Insert && req != Request::Change && req != Request::Delete) {
    finish(Response::Cancelled);
    return;
  }
  ThreadFiles& files = context().files();
  if (req != Request::Delete) {
    for (int f = 0; f < kFieldCount; ++f) accept(f);
    if (!isRunning()) return;
  }
  recallRecord() = record();
  ErrorManager& errors = ErrorManager::instance();

  if (req == Request::Insert) {
    std::int64_t newId = 0;
    if (FileManager::jurnal().insert(files, &newId)) {
      files.jurnalId = newId;
      finish(Response::Completed);
    } else {
      focusFirstField();
    }
    return;
  }

  if (req == Request::Change && record() == m_snapshot) {
    finish(Response::Cancelled);
    return;
  }
  const ErrorCode question = req == Request::Change ? ErrorCode::RecordUpdateError : ErrorCode::RecordDeleteError;
  const Answer defaultAnswer = req == Request::Change ? Answer::Yes : Answer::Cancel;
  for (;;) {
    const Status status = req == Request::Change ? FileManager::jurnal().update(files, files.jurnalId)
                                                 : FileManager::jurnal().remove(files, files.jurnalId);
    if (status) {
      finish(Response::Completed);
      return;
    }
    if (status.code == ErrorCode::DuplicateKey) {
      // Already reported by the file manager; the operator corrects the contact.
      focusFirstField();
      return;
    }
    const ErrorReport report = makeErrorReport(question);
    const Answer answer = errors.questionYesNoCancel(QString::fromStdString(report.title),
                                                     QString::fromStdString(report.text), defaultAnswer);
    if (answer == Answer::Yes) continue;
    if (answer == Answer::No) {
      finish(Response::Cancelled);
    } else {
      focusFirstField();
    }
    return;
  }
}

bool UpdateJurnal::queryClose() {
  if (m_lookupRunning) return false;
  const std::uint8_t req = request();
  if (req != Request::Insert && req != Request::Change) return true;
  // What is typed but not yet accepted counts as a change too.
  JurnalRecord current = record();
  for (int f = 0; f < kFieldCount; ++f) collect(f, current);
  if (current == m_snapshot) return true;
  const ErrorReport report = makeErrorReport(ErrorCode::ChangesLost);
  if (ErrorManager::instance().question(QString::fromStdString(report.title), QString::fromStdString(report.text)))
    return true;
  focusFirstField();
  return false;
}

}  // namespace jurnal
