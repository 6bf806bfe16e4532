// The print preview window: Qt's preview widget over the report's pages, with a tool bar for
// printing, saving as PDF, zoom and page stepping. Keyboard: Ctrl+P print, Ctrl+S save,
// +/- zoom, PgUp/PgDn pages, Escape closes.
#include "platform/reportpreview.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/errormanager.h"
#include "platform/inisections.h"

namespace jurnal {

ReportPreview::ReportPreview(std::vector<ReportPage> pages, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window), m_pages(std::move(pages)), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setObjectName(QStringLiteral("PreviewWindow"));
  setWindowTitle(title.isEmpty() ? QStringLiteral("Предварительный просмотр")
                                 : QStringLiteral("Предварительный просмотр: ") + title);
  setAttribute(Qt::WA_DeleteOnClose, false);
  m_printer->setFullPage(true);
  m_printer->setPageOrientation(QPageLayout::Portrait);
  m_printer->setDocName(title);

  m_preview = new QPrintPreviewWidget(m_printer.get(), this);
  m_preview->setObjectName(QStringLiteral("PREVIEW"));
  connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
          [this](QPrinter* printer) { ReportEngine::render(*printer, m_pages); });
  connect(m_preview, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::updatePageLabel);

  auto* bar = new QToolBar(this);
  auto add = [this, bar](const QString& name, const QString& text, const QKeySequence& key, auto slot) {
    QAction* action = bar->addAction(text);
    action->setObjectName(name);
    if (!key.isEmpty()) action->setShortcut(key);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add(QStringLiteral("PRINT"), QStringLiteral("Печать..."), QKeySequence::Print, [this] { print(); });
  add(QStringLiteral("SAVEPDF"), QStringLiteral("Сохранить в PDF..."), QKeySequence::Save, [this] { savePdf(); });
  bar->addSeparator();
  add(QStringLiteral("ZOOMIN"), QStringLiteral("Крупнее"), QKeySequence(Qt::Key_Plus), [this] {
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->zoomIn(1.25);
  });
  add(QStringLiteral("ZOOMOUT"), QStringLiteral("Мельче"), QKeySequence(Qt::Key_Minus), [this] {
    m_preview->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_preview->zoomOut(1.25);
  });
  add(QStringLiteral("FITWIDTH"), QStringLiteral("По ширине"), QKeySequence(), [this] { m_preview->fitToWidth(); });
  add(QStringLiteral("FITPAGE"), QStringLiteral("Страница целиком"), QKeySequence(), [this] { m_preview->fitInView(); });
  bar->addSeparator();
  add(QStringLiteral("PREVPAGE"), QStringLiteral("<"), QKeySequence(Qt::Key_PageUp),
      [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); updatePageLabel(); });
  m_pageLabel = new QLabel(this);
  m_pageLabel->setObjectName(QStringLiteral("PAGE"));
  bar->addWidget(m_pageLabel);
  add(QStringLiteral("NEXTPAGE"), QStringLiteral(">"), QKeySequence(Qt::Key_PageDown),
      [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); updatePageLabel(); });
  bar->addSeparator();
  add(QStringLiteral("CLOSE"), QStringLiteral("Закрыть"), QKeySequence(Qt::Key_Escape), [this] { close(); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(bar);
  layout->addWidget(m_preview, 1);
  resize(760, 900);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::open() {
  fetchWindow(QString::fromLatin1(kSection), this, true);
  show();
  m_opened = true;
  m_preview->updatePreview();
  updatePageLabel();
  activateWindow();
  raise();
}

void ReportPreview::updatePageLabel() {
  m_pageLabel->setText(QStringLiteral(" %1 / %2 ").arg(m_preview->currentPage()).arg(pageCount()));
}

bool ReportPreview::printTo(QPrinter& printer) {
  if (!ReportEngine::render(printer, m_pages)) return false;
  m_printed = true;
  close();
  return true;
}

bool ReportPreview::saveAsPdf(const QString& path) {
  return ReportEngine::renderToPdf(path, m_pages, m_printer->docName());
}

void ReportPreview::print() {
  QPrintDialog dialog(m_printer.get(), this);
  dialog.setMinMax(1, pageCount());
  // The print dialog is application-modal: nothing else can be clicked meanwhile.
  if (dialog.exec() != QDialog::Accepted) return;
  if (!printTo(*m_printer)) {
    ErrorManager::instance().notice(QStringLiteral("Печать"), QStringLiteral("Не удалось напечатать отчет."));
  }
}

void ReportPreview::savePdf() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить отчет в PDF"), QString(),
                                                    QStringLiteral("PDF (*.pdf)"));
  if (path.isEmpty()) return;
  if (!saveAsPdf(path)) {
    ErrorManager::instance().notice(QStringLiteral("Сохранение в PDF"),
                                    QStringLiteral("Не удалось записать файл %1.").arg(path));
  }
}

void ReportPreview::closeEvent(QCloseEvent* event) {
  if (m_opened && !isMinimized()) updateWindow(QString::fromLatin1(kSection), this, true);
  m_opened = false;
  event->accept();
  if (m_closedSent) return;
  m_closedSent = true;
  emit closed(m_printed);
}

}  // namespace jurnal
