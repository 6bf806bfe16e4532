// Report pages: layout of bands into pages and their rendering in thousandths of an inch.
#include "platform/reportengine.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "platform/dialogunits.h"

namespace jurnal {

ReportItem ReportItem::label(const QRect& rect, const QString& text, const ReportFont& font,
                             Qt::Alignment align) {
  ReportItem item;
  item.kind = Kind::Text;
  item.rect = rect;
  item.text = text;
  item.font = font;
  item.align = align;
  return item;
}

ReportItem ReportItem::field(const QRect& rect, int value, const ReportFont& font, Qt::Alignment align) {
  ReportItem item;
  item.kind = Kind::Value;
  item.rect = rect;
  item.value = value;
  item.font = font;
  item.align = align;
  return item;
}

ReportItem ReportItem::box(const QRect& rect, const QColor& fill) {
  ReportItem item;
  item.kind = Kind::Box;
  item.rect = rect;
  item.fill = fill;
  return item;
}

ReportItem ReportItem::line(int x, int y, int length) {
  ReportItem item;
  item.kind = Kind::Line;
  item.rect = QRect(x, y, length, 0);
  return item;
}

ReportEngine::ReportEngine(ReportLayout layout) : m_layout(std::move(layout)) {}

QSizeF ReportEngine::defaultPaperMils() { return {8267.7, 11692.9}; }

void ReportEngine::placeBand(const ReportBand& band, int x, int y, const Values& values) {
  ReportPage& page = m_pages.back();
  for (const ReportItem& item : band.items) {
    ReportDrawOp op;
    op.kind = item.kind == ReportItem::Kind::Value ? ReportItem::Kind::Text : item.kind;
    op.rect = item.rect.translated(x, y);
    op.font = item.font;
    op.align = item.align;
    op.fill = item.fill;
    if (item.kind == ReportItem::Kind::Text) op.text = item.text;
    if (item.kind == ReportItem::Kind::Value) {
      op.text = item.value >= 0 && item.value < values.size() ? values.at(item.value) : QString();
      // An empty value draws nothing; keep the page free of empty text runs.
      if (op.text.isEmpty()) continue;
    }
    page.ops.append(op);
  }
}

void ReportEngine::startPage() {
  m_pages.emplace_back();
  m_pageOpen = true;
  const int page = pageCount();
  placeBand(m_layout.header, m_layout.header.area.x(), m_layout.header.area.y(),
            m_headerValues ? m_headerValues(page) : Values());
  m_y = m_layout.body.top();
}

void ReportEngine::printDetail(const Values& values) {
  const int height = m_layout.detail.area.height();
  // A detail taller than the whole body still goes on a page of its own rather than
  // starting pages for ever.
  if (m_pageOpen && m_y + height > m_layout.body.top() + m_layout.body.height() &&
      m_y > m_layout.body.top()) {
    endPage();
  }
  if (!m_pageOpen) startPage();
  placeBand(m_layout.detail, m_layout.body.x() + m_layout.detail.area.x(), m_y, values);
  m_y += height;
}

void ReportEngine::endPage() {
  if (!m_pageOpen) return;
  placeBand(m_layout.footer, m_layout.footer.area.x(), m_layout.footer.area.y(),
            m_footerValues ? m_footerValues(pageCount()) : Values());
  m_pageOpen = false;
}

void ReportEngine::discard() {
  m_pages.clear();
  m_pageOpen = false;
}

QFont ReportEngine::qfont(const ReportFont& font) {
  installFontSubstitutions();
  QFont f(font.family);
  // Pixel size in the painter's window units: points * 1000 / 72 thousandths of an inch.
  f.setPixelSize(font.points * 1000 / 72);
  f.setBold(font.bold);
  f.setItalic(font.italic);
  return f;
}

void ReportEngine::renderPage(QPainter& painter, const ReportPage& page) {
  static const int kLineWidth = 10;  // a thin rule, 1/100 inch
  QFont current;
  bool haveFont = false;
  ReportFont currentSpec;
  for (const ReportDrawOp& op : page.ops) {
    switch (op.kind) {
      case ReportItem::Kind::Box:
        painter.setPen(QPen(Qt::black, kLineWidth));
        painter.setBrush(op.fill.isValid() ? QBrush(op.fill) : QBrush(Qt::NoBrush));
        painter.drawRect(op.rect);
        break;
      case ReportItem::Kind::Line:
        painter.setPen(QPen(Qt::black, kLineWidth));
        painter.drawLine(op.rect.left(), op.rect.top(), op.rect.left() + op.rect.width(), op.rect.top());
        break;
      case ReportItem::Kind::Text:
      case ReportItem::Kind::Value: {
        if (!haveFont || !(currentSpec == op.font)) {
          current = qfont(op.font);
          currentSpec = op.font;
          haveFont = true;
          painter.setFont(current);
        }
        painter.setPen(Qt::black);
        QRect rect = op.rect;
        Qt::Alignment align = op.align;
        if (rect.width() <= 0) {
          // Natural width: as wide as the text, so any alignment starts at the left edge.
          rect.setWidth(painter.fontMetrics().horizontalAdvance(op.text) + 1);
          align = Qt::AlignLeft;
        }
        if (rect.height() <= 0) rect.setHeight(painter.fontMetrics().height());
        // Texts never clip: a long value runs past its box rather than lose characters.
        painter.drawText(rect, int(align | Qt::AlignTop) | Qt::TextDontClip | Qt::TextSingleLine, op.text);
        break;
      }
    }
  }
}

bool ReportEngine::render(QPagedPaintDevice& device, const std::vector<ReportPage>& pages, int first, int last) {
  const int count = static_cast<int>(pages.size());
  if (first <= 0) first = 1;
  if (last <= 0 || last > count) last = count;
  QPainter painter;
  if (!painter.begin(&device)) return false;
  // The device paints from the paper's corner; its whole area becomes thousandths of an inch.
  painter.setWindow(0, 0, qRound(device.width() * 1000.0 / device.logicalDpiX()),
                    qRound(device.height() * 1000.0 / device.logicalDpiY()));
  painter.setRenderHint(QPainter::Antialiasing, false);
  for (int i = first; i <= last; ++i) {
    if (i > first && !device.newPage()) return false;
    renderPage(painter, pages[static_cast<std::size_t>(i - 1)]);
  }
  return painter.end();
}

bool ReportEngine::render(QPrinter& printer, const std::vector<ReportPage>& pages, int first, int last) {
  printer.setFullPage(true);
  printer.setPageOrientation(QPageLayout::Portrait);
  if (first <= 0 && last <= 0 && printer.printRange() == QPrinter::PageRange) {
    first = printer.fromPage();
    last = printer.toPage();
  }
  return render(static_cast<QPagedPaintDevice&>(printer), pages, first, last);
}

bool ReportEngine::renderToPdf(const QString& path, const std::vector<ReportPage>& pages, const QString& title) {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(QPageLayout::Portrait);
  writer.setPageMargins(QMarginsF(0, 0, 0, 0));
  writer.setResolution(1200);
  writer.setCreator(QStringLiteral("Журнал оператора"));
  if (!title.isEmpty()) writer.setTitle(title);
  if (pages.empty()) return false;
  return render(writer, pages, 0, 0);
}

}  // namespace jurnal
