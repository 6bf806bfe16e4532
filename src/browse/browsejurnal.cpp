// The journal window: layout, row fill, orders and locators, update and totals actions.
#include "browse/browsejurnal.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <cmath>

#include "core/bonusfile.h"
#include "core/bonustotals.h"
#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/jurnalfile.h"
#include "core/plaindecimal.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/browsejurnalview.h"
#include "platform/browsemanager.h"
#include "platform/dialogunits.h"
#include "platform/displaytext.h"
#include "platform/errormanager.h"
#include "platform/resizer.h"
#include "platform/runtime.h"

namespace jurnal {
namespace {

const QString kCaption = QStringLiteral("Журнал");
const QString kFormName = QStringLiteral("UpdateJurnal");

template <std::size_t N>
QString text(const char (&field)[N]) {
  return fieldString(field);
}

QString dateText(std::int32_t date) { return shortDateText(date); }

QString timeText(std::int32_t time) {
  const auto t = clockFromTime(time);
  return t ? QStringLiteral("%1:%2").arg(t->hour, 2, 10, QLatin1Char('0')).arg(t->minute, 2, 10, QLatin1Char('0'))
           : QString();
}

// The date typed for the incremental search: a date in the short format of the user's
// settings, an ISO date, or a year alone (its first day).
std::optional<KeyValue> typedDate(const QString& typed) {
  const QString t = typed.trimmed();
  QDate d = QLocale().toDate(t, QLocale::ShortFormat);
  if (!d.isValid()) d = QDate::fromString(t, Qt::ISODate);
  if (!d.isValid()) d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
  if (d.isValid()) return std::int64_t{dateFromCalendar(d.year(), d.month(), d.day())};
  bool ok = false;
  const int year = t.toInt(&ok);
  if (ok && t.size() == 4 && year > 1800) return std::int64_t{dateFromCalendar(year, 1, 1)};
  return std::nullopt;
}

std::optional<KeyValue> typedPoints(const QString& typed) {
  bool ok = false;
  const int points = typed.trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return std::int64_t{points};
}

// The frequency key shown as the display field's format: seven digits with three implied
// decimals and no point (7 -> 0007000, 14.025 -> 0014025).
QString bandKeyText(const QString& key) {
  const double mhz = parsePlainDecimal(key.toStdString());
  const long long thousandths = std::llround(mhz * 1000);
  if (thousandths < 0) return QStringLiteral("-%1").arg(-thousandths, 6, 10, QLatin1Char('0'));
  return QStringLiteral("%1").arg(thousandths, 7, 10, QLatin1Char('0'));
}

struct KeyField {
  int tab;
  const char* textLabel;
  const char* fieldLabel;
  int x, width, chars;
};
const KeyField kKeyFields[] = {
    {1, "STRING9:3", "JUR:BAND", 298, 47, 0},
    {2, "STRING9", "JUR:RADIO", 297, 47, 10},
    {3, "STRING9:4", "JUR:QTH", 297, 66, 15},
    {4, "STRING9:5", "JUR:DIPLOM", 297, 86, 20},
};

QVector<BrowseColumn> journalColumns() {
  const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
  return {
      {QStringLiteral("DATE"), 41, c, r, 2, true},     {QStringLiteral("UTS"), 24, c, r, 2, true},
      {QStringLiteral("BAND"), 28, c, r, 2, true, 8},     {QStringLiteral("RADIO"), 32, c, l, 2, true},
      {QStringLiteral("RSS"), 20, c, c, 0, true},      {QStringLiteral("RSR"), 20, c, c, 0, true},
      {QStringLiteral("QTH"), 53, c, l, 1, true},      {QStringLiteral("OPERATOR"), 66, c, l, 1, true},
      {QStringLiteral("R"), 8, l, c, 0, false},        {QStringLiteral("S"), 7, l, c, 0, false},
      {QStringLiteral("P"), 7, l, c, 0, false},        {QStringLiteral("DIPLOM"), 61, c, l, 1, true},
      {QStringLiteral("BONUS"), 20, c, r, 2, true},
  };
}

QLabel* displayField(QWidget* parent, const QString& name, int points) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setFont(layoutFont(QStringLiteral("Arial CYR"), points, true));
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, Qt::blue);
  label->setPalette(pal);
  return label;
}

QLabel* prompt(QWidget* parent, const QString& name, const QString& caption, bool bold = true) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(name);
  label->setFont(layoutFont(QStringLiteral("Arial CYR"), 8, bold));
  return label;
}

}  // namespace

BrowseJurnal::BrowseJurnal(ContextPtr context) : Procedure(QStringLiteral("BrowseJurnal"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(true);
  setCloseResponse(Response::Cancelled);
}

BrowseJurnal::~BrowseJurnal() = default;

int BrowseJurnal::orderForTab(int tab) { return tab >= 1 && tab <= 5 ? tab - 1 : 5; }

void BrowseJurnal::fillRow(const JurnalRecord& rec, BrowseRow& row) {
  const bool hasRemark = !isBlank(fieldView(rec.remarks));
  row.values = {dateText(rec.date),
                timeText(rec.uts),
                QString::number(rec.band, 'f', 3),
                text(rec.radio),
                text(rec.rss),
                text(rec.rsr),
                text(rec.qth),
                text(rec.operatorName),
                hasRemark ? QStringLiteral("#") : QString(),
                text(rec.qlsSend),
                text(rec.qslRes),
                text(rec.diplom),
                QString::number(rec.bonus)};
  row.extra = {hasRemark ? text(rec.remarks) : QString(),
               isBlank(fieldView(rec.qlsSend)) ? QStringLiteral("-") : QStringLiteral("Отправлена"),
               isBlank(fieldView(rec.qslRes)) ? QStringLiteral("-") : QStringLiteral("Получена")};
}

bool BrowseJurnal::openFiles() {
  ThreadFiles& files = context().files();
  m_bonusHeld = FileManager::bonus().open(files);
  if (!m_bonusHeld) return false;
  m_jurnalOpen = FileManager::jurnal().open(files);
  return m_jurnalOpen;
}

void BrowseJurnal::closeFiles() {
  ThreadFiles& files = context().files();
  if (m_browse) m_browse->deleteLater();
  if (m_bonusHeld) FileManager::bonus().close(files);
  if (m_jurnalOpen) FileManager::jurnal().close(files);
  m_bonusHeld = m_jurnalOpen = false;
}

QWidget* BrowseJurnal::createWindow() {
  auto* w = new QWidget;
  w->setWindowTitle(kCaption);
  const QFont font = layoutFont(QStringLiteral("Arial CYR"), 8);
  w->setFont(font);
  const DialogUnits u(font);
  const QSize designed = u.size(425, 293);
  w->setMinimumSize(designed);
  w->resize(designed);
  auto* resizer = new Resizer(w, designed);

  m_sheet = new QTabWidget(w);
  m_sheet->setObjectName(QStringLiteral("CURRENTTAB"));
  m_sheet->setFocusPolicy(Qt::NoFocus);
  for (int t = 0; t < 6; ++t) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("TAB:%1").arg(t + 2));
    m_sheet->addTab(page, QString::fromUtf8(jurKeyDescription(static_cast<JurKey>(t))));
  }
  placeDlu(u, m_sheet, 2, 4, 423, 249);
  resizer->add(m_sheet, Resizer::StretchX | Resizer::StretchY);

  m_list = new QTableView(w);
  m_list->setObjectName(QStringLiteral("BROWSE:1"));
  QFont listFont = layoutFont(QStringLiteral("Arial"), 8, true);
  m_list->setFont(listFont);
  m_list->setStatusTip(QStringLiteral("Browsing Records"));
  QPalette pal = m_list->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Highlight, QColor(223, 223, 223));
  pal.setColor(QPalette::HighlightedText, Qt::blue);
  m_list->setPalette(pal);
  QScrollBar* bar = placeBrowseList(m_list, w, u, QRect(8, 20, 414, 210), resizer);

  for (const KeyField& k : kKeyFields) {
    QLabel* caption = prompt(w, QString::fromUtf8(k.textLabel), QStringLiteral("Ключ выборки:"));
    placeDlu(u, caption, 235, 236, 55, 10);
    QLabel* field = displayField(w, QString::fromUtf8(k.fieldLabel), 9);
    field->setAutoFillBackground(true);
    QPalette fp = field->palette();
    fp.setColor(QPalette::Window, QColor(128, 128, 128));
    field->setPalette(fp);
    placeDlu(u, field, k.x, 236, k.width, 11);
    resizer->add(caption, Resizer::MoveY);
    resizer->add(field, Resizer::MoveY);
    m_keyWidgets[k.tab] = {caption, field};
    m_keyFields[k.tab] = field;
  }

  auto* insert = new QPushButton(QStringLiteral("&Вставить (Ins)"), w);
  insert->setObjectName(QStringLiteral("INSERT:2"));
  placeDlu(u, insert, 18, 234, 57, 15);
  auto* change = new QPushButton(QStringLiteral("&Изменить (F4)"), w);
  change->setObjectName(QStringLiteral("CHANGE:2"));
  placeDlu(u, change, 83, 234, 57, 15);
  auto* remove = new QPushButton(QStringLiteral("&Удалить (Del)"), w);
  remove->setObjectName(QStringLiteral("DELETE:2"));
  placeDlu(u, remove, 144, 234, 57, 15);
  auto* diplom = new QPushButton(QStringLiteral("Диплом (F5)"), w);
  diplom->setObjectName(QStringLiteral("BUTTON6"));
  diplom->setFont(layoutFont(QStringLiteral("Arial"), 8));
  diplom->setStatusTip(QStringLiteral("Диплом"));
  diplom->setToolTip(QStringLiteral("Отчет по проведенным связям на Дипломы.\nБыстрый вызов F5"));
  placeDlu(u, diplom, 295, 266, 50, 15);
  auto* close = new QPushButton(QStringLiteral("Закрыть"), w);
  close->setObjectName(QStringLiteral("CLOSE"));
  placeDlu(u, close, 364, 266, 50, 15);
  for (QWidget* b : {static_cast<QWidget*>(insert), static_cast<QWidget*>(change), static_cast<QWidget*>(remove)}) {
    b->setFocusPolicy(Qt::TabFocus);
    resizer->add(b, Resizer::MoveY);
  }
  resizer->add(diplom, Resizer::MoveX | Resizer::MoveY);
  resizer->add(close, Resizer::MoveX | Resizer::MoveY);

  auto* radio = new QCheckBox(QStringLiteral(" Режим RADIO"), w);
  radio->setObjectName(QStringLiteral("GLO:RADIO2"));
  radio->setStatusTip(QStringLiteral("Вкл/Выкл Режима Радио"));
  radio->setToolTip(QStringLiteral("Режим Radio позволяет получить отчет по связям\nпосле введения позывного при заполнении новой \nсвязи."));
  placeDlu(u, radio, 217, 270, 69, 14);
  auto* cq = new QCheckBox(QStringLiteral(" Режим CQ"), w);
  cq->setObjectName(QStringLiteral("GLO:CQ"));
  cq->setStatusTip(QStringLiteral("Вкл/Выкл Режима CQ"));
  cq->setToolTip(QStringLiteral("При вклченном режиме CQ (галочка стоит) будет \nавтоматичеки подставлятся последняя введенная \n"
                                "ЧАСТОТА в режимах Редактирования (Изменить) и \nВставки."));
  placeDlu(u, cq, 217, 257, 52, 13);
  for (QCheckBox* box : {radio, cq}) {
    box->setFont(layoutFont(QStringLiteral("Arial CYR"), 8, true));
    box->setFocusPolicy(Qt::TabFocus);
    resizer->add(box, Resizer::MoveY);
  }
  radio->setChecked(isOn(globals().radio2));
  cq->setChecked(isOn(globals().cq));
  connect(radio, &QCheckBox::toggled, this, [](bool on) { globals().radio2.set(on ? "ON" : "OFF"); });
  connect(cq, &QCheckBox::toggled, this, [](bool on) { globals().cq.set(on ? "ON" : "OFF"); });

  QLabel* qslCaption = prompt(w, QStringLiteral("STRING3"), QStringLiteral("QSL карточка:"));
  placeDlu(u, qslCaption, 25, 278, 51, 10);
  m_sent = displayField(w, QStringLiteral("LOC:QS"), 9);
  placeDlu(u, m_sent, 82, 278, 55, 10);
  m_received = displayField(w, QStringLiteral("LOC:QP"), 9);
  placeDlu(u, m_received, 139, 278, 55, 10);
  auto* line2 = new QFrame(w);
  line2->setObjectName(QStringLiteral("LINE1:2"));
  line2->setFrameShape(QFrame::HLine);
  placeDlu(u, line2, 22, 289, 177, 1);
  m_remark = displayField(w, QStringLiteral("LOC:R"), 9);
  placeDlu(u, m_remark, 71, 266, 128, 10);
  QLabel* remarkCaption = prompt(w, QStringLiteral("STRING2"), QStringLiteral("Пометка:"));
  placeDlu(u, remarkCaption, 25, 266, 37, 11);
  auto* line1 = new QFrame(w);
  line1->setObjectName(QStringLiteral("LINE1"));
  line1->setFrameShape(QFrame::HLine);
  placeDlu(u, line1, 22, 263, 177, 1);
  for (QWidget* c : {static_cast<QWidget*>(qslCaption), static_cast<QWidget*>(m_sent.data()),
                     static_cast<QWidget*>(m_received.data()), static_cast<QWidget*>(line2),
                     static_cast<QWidget*>(m_remark.data()), static_cast<QWidget*>(remarkCaption),
                     static_cast<QWidget*>(line1)})
    resizer->add(c, Resizer::MoveY);

  // The browse: six orders in registration order, the by-date one last and in force first.
  std::vector<JurSelection> orders;
  for (JurKey key : {JurKey::Band, JurKey::Radio, JurKey::Qth, JurKey::Diplom, JurKey::Bonus, JurKey::Index}) {
    JurSelection sel;
    sel.key = key;
    orders.push_back(sel);
  }
  auto view = std::make_unique<BrowseJurnalView>(context().files(), std::move(orders), &BrowseJurnal::fillRow);
  m_browse = new BrowseManager(m_list, bar, std::move(view), this);
  m_browse->setColumns(journalColumns(), u);
  for (int order = 0; order < 4; ++order) m_browse->setLocator(order, {BrowseManager::LocatorKind::SelectionKey, {}});
  m_browse->setLocator(4, {BrowseManager::LocatorKind::Incremental, typedPoints});
  m_browse->setLocator(5, {BrowseManager::LocatorKind::Incremental, typedDate});
  m_browse->setOrderChoiceHook([this] { return orderForTab(m_sheet ? m_sheet->currentIndex() : 0); });
  m_browse->setUpdateHook([this](int request, std::function<void(int)> done) { callForm(request, std::move(done)); });
  m_browse->setUpdateControls(insert, change, remove);
  connect(m_browse, &BrowseManager::highlightChanged, this, &BrowseJurnal::showHighlighted);
  connect(m_browse, &BrowseManager::locatorChanged, this, &BrowseJurnal::showSelectionKey);
  connect(m_browse, &BrowseManager::emptyChanged, this, &BrowseJurnal::listEmptied);
  connect(m_sheet, &QTabWidget::currentChanged, this, [this](int tab) {
    for (int t = 0; t < 6; ++t)
      for (QWidget* c : m_keyWidgets[t]) c->setVisible(t == tab);
    m_browse->orderChanged();
    if (m_list) m_list->setFocus();
  });
  for (int t = 0; t < 6; ++t)
    for (QWidget* c : m_keyWidgets[t]) c->setVisible(t == 0);
  connect(close, &QPushButton::clicked, this, &BrowseJurnal::requestClose);
  connect(diplom, &QPushButton::clicked, this, &BrowseJurnal::showDiplomas);

  // The buttons' hot keys work anywhere in the window.
  const struct {
    QKeySequence key;
    QAbstractButton* button;
  } hotKeys[] = {{QKeySequence(Qt::Key_Insert), insert},
                 {QKeySequence(Qt::Key_F4), change},
                 {QKeySequence(Qt::Key_Delete), remove},
                 {QKeySequence(Qt::Key_F5), diplom}};
  for (const auto& hk : hotKeys) {
    auto* shortcut = new QShortcut(hk.key, w);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    QAbstractButton* button = hk.button;
    connect(shortcut, &QShortcut::activated, button, [button] {
      if (button->isEnabled()) button->click();
    });
  }

  // The tabs from the keyboard: the list keeps the focus, so the sheet takes its keys here.
  for (const auto& [key, step] : {std::pair{QKeySequence(Qt::CTRL | Qt::Key_Tab), 1},
                                  std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageDown), 1},
                                  std::pair{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), -1},
                                  std::pair{QKeySequence(Qt::CTRL | Qt::Key_PageUp), -1}}) {
    auto* shortcut = new QShortcut(key, w);
    shortcut->setContext(Qt::WidgetWithChildrenShortcut);
    connect(shortcut, &QShortcut::activated, this, [this, step = step] {
      if (m_sheet) m_sheet->setCurrentIndex((m_sheet->currentIndex() + step + 6) % 6);
    });
  }

  m_sheet->lower();
  m_list->raise();
  bar->raise();
  return w;
}

void BrowseJurnal::windowOpened() {
  m_browse->start();
  m_list->setFocus();
}

void BrowseJurnal::showHighlighted() {
  const BrowseRow* row = m_browse ? m_browse->current() : nullptr;
  const bool has = row && row->extra.size() == 3;
  if (m_remark) m_remark->setText(has ? row->extra[0] : QString());
  if (m_sent) m_sent->setText(has ? row->extra[1] : QString());
  if (m_received) m_received->setText(has ? row->extra[2] : QString());
}

void BrowseJurnal::showSelectionKey(const QString& key) {
  const int tab = m_sheet ? m_sheet->currentIndex() : 0;
  QLabel* field = tab >= 0 && tab < 6 ? m_keyFields[tab] : nullptr;
  if (!field) return;
  for (const KeyField& k : kKeyFields) {
    if (k.tab != tab) continue;
    field->setText(k.chars == 0 ? bandKeyText(key) : key.left(k.chars));
  }
}

void BrowseJurnal::listEmptied(bool empty) {
  const int tab = m_sheet ? m_sheet->currentIndex() : 0;
  for (int t = 0; t < 6; ++t)
    if (m_keyFields[t]) m_keyFields[t]->setEnabled(!(empty && t == tab));
}

void BrowseJurnal::callForm(int request, std::function<void(int)> done) {
  Runtime& runtime = Runtime::instance();
  if (!runtime.registry().has(kFormName)) {
    ErrorManager::instance().notice(kCaption, QStringLiteral("Форма связи недоступна: процедура %1 не найдена.").arg(kFormName));
    done(Response::Cancelled);
    return;
  }
  if (request == Request::Insert) context().files().jurnal.clear();
  globals().request = static_cast<std::uint8_t>(request);
  runtime.call(this, kFormName, [done](int response) { done(response); });
}

void BrowseJurnal::showDiplomas() {
  ThreadFiles& files = context().files();
  // The window lets go of its own hold on BONUS for good before the rebuild.
  if (m_bonusHeld) FileManager::bonus().close(files);
  m_bonusHeld = false;
  if (!FileManager::bonus().open(files)) return;
  Status status;
  {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    JurnalFile* jurnal = files.jurnalFile();
    BonusFile* bonus = files.bonusFile();
    status = jurnal && bonus ? rebuildBonusTotals(*jurnal, *bonus)
                             : Status::failure(ErrorCode::FileAccessError, "file is not open");
    QApplication::restoreOverrideCursor();
  }
  FileManager::bonus().close(files);
  if (!status)
    ErrorManager::instance().notice(
        QStringLiteral("Диплом"),
        QStringLiteral("Итоги по дипломам не пересчитаны: %1.  В файле Bonus остались прежние итоги.")
            .arg(QString::fromStdString(status.text)));
  Runtime::instance().call(this, QStringLiteral("Diplom"));
}

}  // namespace jurnal
