// The printer every report prints on; the frame's printer set-up changes it for the run.
#pragma once

class QPrinter;

namespace jurnal {

QPrinter& sharedPrinter();

}  // namespace jurnal
