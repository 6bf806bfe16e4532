// getdate, 141 x 50 dialog units, centred: two date entries for GLO:DATE and GLO:DATE2.
#include "reports/getdate.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include "core/daytime.h"
#include "core/globals.h"
#include "platform/dialogunits.h"

namespace jurnal {

GetDate::GetDate(ContextPtr context)
    : ReportDialog(QStringLiteral("getdate"), QStringLiteral("PrintJUR:INDEX"), std::move(context)) {
  setCentered(true);
}

QString GetDate::formatEntry(std::int32_t date, bool emptyWhenZero) {
  const auto cal = calendarFromDate(date);
  if (!cal) return emptyWhenZero ? QString() : QStringLiteral("  /  /    ");
  return QStringLiteral("%1/%2/%3")
      .arg(cal->day, 2, 10, QLatin1Char(' '))
      .arg(cal->month, 2, 10, QLatin1Char('0'))
      .arg(cal->year, 4, 10, QLatin1Char('0'));
}

std::optional<std::int32_t> GetDate::parseEntry(const QString& text) {
  static const QRegularExpression digits(QStringLiteral("\\d+"));
  QStringList parts;
  for (auto it = digits.globalMatch(text); it.hasNext();) parts << it.next().captured();
  if (parts.isEmpty()) {
    // Blank, or the separators alone: no date.
    static const QRegularExpression separators(QStringLiteral("^[\\s/.\\-]*$"));
    if (separators.match(text).hasMatch()) return 0;
    return std::nullopt;
  }
  if (parts.size() == 1 && parts[0].size() == 8) {
    parts = {parts[0].left(2), parts[0].mid(2, 2), parts[0].mid(4)};
  }
  if (parts.size() != 3) return std::nullopt;
  const int day = parts[0].toInt();
  const int month = parts[1].toInt();
  int year = parts[2].toInt();
  if (parts[2].size() <= 2) year += year < 50 ? 2000 : 1900;
  else if (parts[2].size() != 4) return std::nullopt;
  const std::int32_t date = dateFromCalendar(year, month, day);
  const auto back = calendarFromDate(date);
  if (!back || back->day != day || back->month != month || back->year != year) return std::nullopt;
  return date;
}

QWidget* GetDate::createWindow() {
  QWidget* window = newWindow(QStringLiteral("Введите даты периода"), 141, 50);
  const DialogUnits du(window->font());
  auto label = [&](const char* name, const QString& text, int x, int y, int w, int h) {
    auto* l = new QLabel(text, window);
    l->setObjectName(QString::fromLatin1(name));
    placeDlu(du, l, x, y, w, h);
    return l;
  };
  QLabel* hint = label("STRING4", QStringLiteral("дд.мм.гггг"), 47, 1, 41, 11);
  hint->setFont(layoutFont(QStringLiteral("MS Sans Serif"), 9, true, true));
  label("STRING1", QStringLiteral("Начала"), 14, 13, 28, 13);
  const Globals& g = globals();
  m_start = new QLineEdit(formatEntry(g.date, false), window);
  m_start->setObjectName(QStringLiteral("GLO:DATE"));
  placeDlu(du, m_start, 43, 13, 46, 10);
  m_end = new QLineEdit(formatEntry(g.date2, true), window);
  m_end->setObjectName(QStringLiteral("GLO:DATE2"));
  placeDlu(du, m_end, 43, 32, 46, 10);
  QPushButton* ok = addButton(window, "OKBUTTON", QStringLiteral("ОК"), 100, 7, 35, 14);
  label("STRING2", QStringLiteral("Конца"), 15, 31, 22, 11);
  QPushButton* cancel = addButton(window, "CANCELBUTTON", QStringLiteral("Выход"), 100, 28, 36, 14);
  connect(m_start, &QLineEdit::editingFinished, this, [this] { storeEntry(m_start, globals().date, false); });
  connect(m_end, &QLineEdit::editingFinished, this, [this] { storeEntry(m_end, globals().date2, true); });
  connectButtons(window, ok, cancel, {m_start, m_end});
  QWidget::setTabOrder(m_start, m_end);
  QWidget::setTabOrder(m_end, ok);
  QWidget::setTabOrder(ok, cancel);
  m_start->setFocus();
  window->setFocusProxy(m_start);
  return window;
}

void GetDate::storeEntry(QLineEdit* entry, std::int32_t& global, bool emptyWhenZero) {
  if (!entry) return;
  // A text that is no date leaves the global as it was; the entry shows it again.
  if (const auto date = parseEntry(entry->text())) global = *date;
  const QString shown = formatEntry(global, emptyWhenZero);
  if (entry->text() != shown) entry->setText(shown);
}

void GetDate::storeEntries() {
  storeEntry(m_start, globals().date, false);
  storeEntry(m_end, globals().date2, true);
}

}  // namespace jurnal
