// The diploma points list.
#include "browse/diplom.h"

#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <cstdlib>

#include "core/filemanager.h"
#include "core/globals.h"
#include "core/threadfiles.h"
#include "core/win1251.h"
#include "platform/browsebonusview.h"
#include "platform/browsemanager.h"
#include "platform/dialogunits.h"
#include "platform/displaytext.h"
#include "platform/resizer.h"

namespace jurnal {

Diplom::Diplom(ContextPtr context) : Procedure(QStringLiteral("Diplom"), std::move(context)) {
  setPlacement(Placement::MdiChild);
  setResizable(true);
  setCloseResponse(Response::Cancelled);
}

Diplom::~Diplom() = default;

QString Diplom::sumText(int sum) {
  QString digits = QString::number(std::abs(sum));
  for (int i = digits.size() - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
  return sum < 0 ? QLatin1Char('-') + digits : digits;
}

void Diplom::fillRow(const BonusRecord& rec, BrowseRow& row) {
  row.values = {fieldString(rec.diplomName), sumText(rec.summa.get())};
}

bool Diplom::openFiles() {
  ThreadFiles& files = context().files();
  m_bonusOpen = FileManager::bonus().open(files);
  if (!m_bonusOpen) return false;
  // JURNAL is held open with BONUS though the list does not read it.
  m_jurnalOpen = FileManager::jurnal().open(files);
  return m_jurnalOpen;
}

void Diplom::closeFiles() {
  ThreadFiles& files = context().files();
  if (m_browse) m_browse->deleteLater();
  if (m_bonusOpen) FileManager::bonus().close(files);
  if (m_jurnalOpen) FileManager::jurnal().close(files);
  m_bonusOpen = m_jurnalOpen = false;
}

QWidget* Diplom::createWindow() {
  auto* w = new QWidget;
  w->setWindowTitle(QStringLiteral("Диплом"));
  const QFont font = layoutFont(QStringLiteral("MS Sans Serif"), 8);
  w->setFont(font);
  const DialogUnits u(font);
  const QSize designed = u.size(146, 237);
  w->setMinimumSize(designed);
  w->resize(designed);
  auto* resizer = new Resizer(w, designed);

  auto* list = new QTableView(w);
  list->setObjectName(QStringLiteral("BROWSE:1"));
  list->setStatusTip(QStringLiteral("Browsing Records"));
  QScrollBar* bar = placeBrowseList(list, w, u, QRect(2, 1, 142, 200), resizer);

  auto* close = new QPushButton(QStringLiteral("Close"), w);
  close->setObjectName(QStringLiteral("CLOSE"));
  placeDlu(u, close, 49, 214, 45, 14);
  resizer->add(close, Resizer::MoveY);
  connect(close, &QPushButton::clicked, this, &Diplom::requestClose);

  auto view = std::make_unique<BrowseBonusView>(context().files(), &Diplom::fillRow);
  m_browse = new BrowseManager(list, bar, std::move(view), this);
  m_browse->setColumns({{QStringLiteral("Диплом"), 100, Qt::AlignLeft, Qt::AlignLeft, 2, true},
                        {QStringLiteral("Сумма"), 10, Qt::AlignHCenter, Qt::AlignRight, 2, true}},
                       u);
  // The sum column is designed narrower than "99,999": it takes the rest of the list's width.
  list->horizontalHeader()->setStretchLastSection(true);
  m_browse->setLocator(0, {BrowseManager::LocatorKind::Step, {}});
  return w;
}

void Diplom::windowOpened() {
  m_browse->start();
  if (auto* list = window()->findChild<QTableView*>(QStringLiteral("BROWSE:1"))) list->setFocus();
}

}  // namespace jurnal
