// The lookup of earlier contacts with one callsign.
#include "browse/lookcontact.h"

#include <QDate>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTime>

#include "core/daytime.h"
#include "core/filemanager.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/browsejurnalview.h"
#include "platform/browsemanager.h"
#include "platform/dialogunits.h"
#include "platform/displaytext.h"
#include "platform/errormanager.h"
#include "platform/resizer.h"

namespace jurnal {
namespace {

template <std::size_t N>
QString text(const char (&field)[N]) {
  return fieldString(field);
}

template <std::size_t N>
QString raw(const char (&field)[N]) {
  return QString::fromLatin1(field, static_cast<qsizetype>(N));
}

}  // namespace

LookContact::LookContact(ContextPtr context) : Procedure(QStringLiteral("LookContact"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(true);
  setCloseResponse(Response::Cancelled);
}

LookContact::~LookContact() = default;

void LookContact::fillRow(const JurnalRecord& rec, BrowseRow& row) {
  const auto t = clockFromTime(rec.uts);
  row.values = {shortDateText(rec.date),
                t ? QLocale().toString(QTime(t->hour, t->minute, t->second), QLocale::ShortFormat) : QString(),
                QString::number(rec.band, 'f', 3),
                text(rec.radio),
                text(rec.rss),
                text(rec.rsr),
                text(rec.qth),
                text(rec.operatorName),
                text(rec.diplom)};
  row.extra = {raw(rec.qth), raw(rec.operatorName)};
}

bool LookContact::openFiles() {
  m_jurnalOpen = FileManager::jurnal().open(context().files());
  return m_jurnalOpen;
}

void LookContact::closeFiles() {
  if (m_browse) m_browse->deleteLater();
  if (m_jurnalOpen) FileManager::jurnal().close(context().files());
  m_jurnalOpen = false;
}

QWidget* LookContact::createWindow() {
  auto* w = new QWidget;
  w->setWindowTitle(QStringLiteral("Browse the Jurnal File"));
  const QFont font = layoutFont(QStringLiteral("MS Sans Serif"), 8);
  w->setFont(font);
  const DialogUnits u(font);
  const QSize designed = u.size(358, 188);
  w->setMinimumSize(designed);
  w->resize(designed);
  auto* resizer = new Resizer(w, designed);

  auto* sheet = new QTabWidget(w);
  sheet->setObjectName(QStringLiteral("CURRENTTAB"));
  sheet->setFocusPolicy(Qt::NoFocus);
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("TAB:2"));
  sheet->addTab(page, QStringLiteral("По RADIO"));
  placeDlu(u, sheet, 4, 4, 350, 162);
  resizer->add(sheet, Resizer::StretchX | Resizer::StretchY);

  auto* list = new QTableView(w);
  list->setObjectName(QStringLiteral("BROWSE:1"));
  list->setStatusTip(QStringLiteral("Browsing Records"));
  QScrollBar* bar = placeBrowseList(list, w, u, QRect(8, 20, 342, 146), resizer);

  auto* close = new QPushButton(QStringLiteral("Close"), w);
  close->setObjectName(QStringLiteral("CLOSE"));
  placeDlu(u, close, 260, 170, 45, 14);
  auto* help = new QPushButton(QStringLiteral("Help"), w);
  help->setObjectName(QStringLiteral("HELP"));
  placeDlu(u, help, 309, 170, 45, 14);
  for (QWidget* b : {close, help}) {
    b->setFocusPolicy(Qt::TabFocus);
    resizer->add(b, Resizer::MoveX | Resizer::MoveY);
  }
  connect(close, &QPushButton::clicked, this, &LookContact::requestClose);
  connect(help, &QPushButton::clicked, this, [] {
    ErrorManager::instance().notice(
        QStringLiteral("LookContact"),
        QStringLiteral("Прежние связи с этим позывным.  Выберите строку стрелками или мышью и закройте окно: "
                       "QTH и имя оператора выбранной связи перейдут в форму."));
  });

  JurSelection sel;
  sel.key = JurKey::Radio;
  const std::string callsign(globals().radioLook.trimmed());
  sel.low = KeyValue(callsign);
  sel.high = KeyValue(callsign);
  auto view = std::make_unique<BrowseJurnalView>(context().files(), std::vector<JurSelection>{sel},
                                                 &LookContact::fillRow);
  m_browse = new BrowseManager(list, bar, std::move(view), this);
  const Qt::Alignment c = Qt::AlignHCenter, l = Qt::AlignLeft, r = Qt::AlignRight;
  m_browse->setColumns({{QStringLiteral("DATE"), 41, c, r, 2, true},
                        {QStringLiteral("UTS"), 25, c, r, 2, true},
                        {QStringLiteral("BAND"), 30, c, r, 4, true},
                        {QStringLiteral("RADIO"), 39, c, l, 2, true},
                        {QStringLiteral("RSS"), 24, c, l, 2, true},
                        {QStringLiteral("RSR"), 24, c, l, 2, true},
                        {QStringLiteral("QTH"), 54, c, l, 0, true},
                        {QStringLiteral("OPERATOR"), 73, c, l, 0, true},
                        {QStringLiteral("DIPLOM"), 80, c, l, 2, true}},
                       u);
  m_browse->setLocator(0, {BrowseManager::LocatorKind::Step, {}});
  sheet->lower();
  list->raise();
  bar->raise();
  return w;
}

void LookContact::windowOpened() {
  m_browse->start();
  if (auto* list = window()->findChild<QTableView*>(QStringLiteral("BROWSE:1"))) list->setFocus();
}

void LookContact::aboutToEnd() {
  Globals& g = globals();
  const BrowseRow* row = m_browse ? m_browse->current() : nullptr;
  if (row && row->extra.size() == 2) {
    g.lookQth.set(row->extra[0].toLatin1().toStdString());
    g.lookOperator.set(row->extra[1].toLatin1().toStdString());
  } else {
    // No earlier contact: the caller's own values stay.
    const JurnalRecord& caller = context().files().jurnal;
    g.lookQth.set(fieldView(caller.qth));
    g.lookOperator.set(fieldView(caller.operatorName));
  }
}

}  // namespace jurnal
