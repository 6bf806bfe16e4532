// The print preview: a window of its own (never modal) that shows the pages of a finished
// report, lets the user zoom and page through them, print them or save them as a PDF file.
// It keeps its position and size under the settings section "_PreviewWindow_".
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "platform/reportengine.h"

class QPrinter;
class QPrintPreviewWidget;
class QLabel;

namespace jurnal {

class ReportPreview : public QWidget {
  Q_OBJECT

 public:
  static constexpr const char* kSection = "_PreviewWindow_";

  ReportPreview(std::vector<ReportPage> pages, const QString& title, QWidget* parent = nullptr);
  ~ReportPreview() override;

  // Shows the window with its saved position and size.
  void open();

  int pageCount() const { return static_cast<int>(m_pages.size()); }
  const std::vector<ReportPage>& pages() const { return m_pages; }
  QPrintPreviewWidget* previewWidget() const { return m_preview; }
  QPrinter* printer() const { return m_printer.get(); }

  // Sends the pages to `printer` (the print dialog's choice) and closes the preview.
  bool printTo(QPrinter& printer);
  // Writes the pages to a PDF file; false when it cannot be written.
  bool saveAsPdf(const QString& path);

 public slots:
  // The print dialog (application-modal), then printing.
  void print();
  // A file dialog for the PDF's name, then saving.
  void savePdf();

 signals:
  // The window closed; `printed` tells whether the pages were sent to a printer.
  void closed(bool printed);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void updatePageLabel();

  std::vector<ReportPage> m_pages;
  std::unique_ptr<QPrinter> m_printer;
  QPrintPreviewWidget* m_preview;
  QLabel* m_pageLabel;
  bool m_printed = false;
  bool m_opened = false;
  bool m_closedSent = false;
};

}  // namespace jurnal
