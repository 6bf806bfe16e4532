// What makes one journal report: its procedure name, the key it walks and the range it reads
// from the globals, the progress basis and window texts, and its page layout with the values
// of its bands. The four reports are four values of this type; one procedure runs them all.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "core/jurnalkeys.h"
#include "core/records.h"
#include "platform/progressestimator.h"
#include "platform/progresswindow.h"
#include "platform/reportlayout.h"

namespace jurnal {

// Indices of the detail values every report computes from a contact.
enum DetailValue {
  kDetailDate,      // short date
  kDetailTime,      // time, hour padded with a blank
  kDetailBand,      // frequency text
  kDetailOperator,  // text 12
  kDetailRadio,     // the callsign, all 12 characters
  kDetailQth,       // text 15
  kDetailRss,       // report number
  kDetailRsr,       // report number
  kDetailBonus,     // report number
};

// What header and footer values are made from, when their band is printed.
struct ReportBandState {
  int page = 0;
  double pointsTotal = 0;  // JUR:BONUS summed over every detail printed so far in the run
};

struct ReportDefinition {
  QString name;  // the procedure's name, also its progress window's settings section
  JurKey key = JurKey::Index;
  ProgressEstimator::Kind estimator = ProgressEstimator::Kind::Numeric;
  ProgressWindow::Texts texts;
  // The selection as the globals give it when the run starts (key, range).
  std::function<JurSelection()> selection;
  ReportLayout layout;
  std::function<QStringList(const ReportBandState&)> headerValues;
  std::function<QStringList(const ReportBandState&)> footerValues;
};

// The detail values of a contact, indexed by DetailValue.
QStringList detailValues(const JurnalRecord& rec);

// The four reports.
ReportDefinition printJurIndex();     // by date for the period GLO:DATE..GLO:DATE2
ReportDefinition printJurBandKey();   // by frequency, every contact with a frequency
ReportDefinition printJurRadioKey();  // by callsign GLO:RADIO
ReportDefinition printJurDiplomKey(); // by diploma GLO:DIPLOM

}  // namespace jurnal
