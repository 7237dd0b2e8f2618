#pragma once

#include "annual/annualrow.h"

#include <QVector>

struct SettingsRecord;

// The year's summary of every member: both handicaps, each month's gross and place, the OB
// total, average, best and worst gross, and the eligibility for the year-end championship.
namespace AnnualSummary {

// One row per member in kana order. A month counts the first competition of the month and
// the member's first row in it; the totals run over every row of the member in the months
// played. Reads only. Throws DatabaseError.
QVector<AnnualRow> compute(int year, const SettingsRecord &settings);

} // namespace AnnualSummary
