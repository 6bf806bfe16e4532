// One printer object for the whole run, created on first use.
#include "platform/printer.h"

#include <QPrinter>

namespace jurnal {

QPrinter& sharedPrinter() {
  static QPrinter printer(QPrinter::HighResolution);
  return printer;
}

}  // namespace jurnal
