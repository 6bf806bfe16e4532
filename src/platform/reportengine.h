// The report engine: lays detail bands out into pages (a header at the top of every page, a
// footer at the bottom, a new page when the next detail does not fit into the body area) and
// renders the pages with QPainter on a printer or a PDF file, in thousandths of an inch.
#pragma once

#include <QFont>
#include <QList>
#include <QSizeF>
#include <QStringList>
#include <functional>
#include <vector>

#include "platform/reportlayout.h"

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace jurnal {

// One thing to draw on a page: the item placed on the paper with its text resolved.
struct ReportDrawOp {
  ReportItem::Kind kind = ReportItem::Kind::Text;
  QRect rect;  // from the paper's top-left corner; width 0 = natural width
  QString text;
  ReportFont font;
  Qt::Alignment align = Qt::AlignLeft;
  QColor fill;
};

struct ReportPage {
  QList<ReportDrawOp> ops;
};

class ReportEngine {
 public:
  using Values = QStringList;
  using ValueSource = std::function<Values(int page)>;

  explicit ReportEngine(ReportLayout layout);

  const ReportLayout& layout() const { return m_layout; }
  // Values of the header and footer items, asked for when the band is printed.
  void setHeaderValues(ValueSource source) { m_headerValues = std::move(source); }
  void setFooterValues(ValueSource source) { m_footerValues = std::move(source); }

  // Prints one detail band with these values, starting a page first when needed.
  void printDetail(const Values& values);
  // Ends the last page (prints its footer). Further details start a new page.
  void endPage();
  // Forgets every page (Cancel, or the preview closed).
  void discard();

  const std::vector<ReportPage>& pages() const { return m_pages; }
  int pageCount() const { return static_cast<int>(m_pages.size()); }
  bool pageOpen() const { return m_pageOpen; }

  // Paper size the layouts are drawn for when no printer chooses one: A4, portrait.
  static QSizeF defaultPaperMils();

  // Draws one page on a painter whose window is in thousandths of an inch.
  static void renderPage(QPainter& painter, const ReportPage& page);
  // Renders pages first..last (1-based, inclusive; 0 for all) on a printer or a PDF writer,
  // each on a new sheet, from the paper's corner. False when painting could not begin.
  static bool render(QPrinter& printer, const std::vector<ReportPage>& pages, int first = 0, int last = 0);
  // The same on any paged device already set up to paint from the paper's corner.
  static bool render(QPagedPaintDevice& device, const std::vector<ReportPage>& pages, int first, int last);
  static bool renderToPdf(const QString& path, const std::vector<ReportPage>& pages, const QString& title = {});

  // The font of a report item on a painter in thousandths of an inch.
  static QFont qfont(const ReportFont& font);

 private:
  void startPage();
  void placeBand(const ReportBand& band, int x, int y, const Values& values);

  ReportLayout m_layout;
  ValueSource m_headerValues;
  ValueSource m_footerValues;
  std::vector<ReportPage> m_pages;
  bool m_pageOpen = false;
  int m_y = 0;  // where the next detail band starts on the current page
};

}  // namespace jurnal
