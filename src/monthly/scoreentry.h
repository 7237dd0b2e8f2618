#pragma once

#include "core/entrycheck.h"
#include "core/scoretable.h"

#include <QString>

#include <optional>

// What the score entry dialog reads from its fields: the live totals while the user types,
// and the values OK stores.
namespace ScoreEntry {

enum Field { Hc, Ob, Out, In, Gross, Net, NewHc };

struct Typed
{
    QString hc;
    QString ob;
    QString out;
    QString in;
    QString newHc; // read only when a row is edited
};

// GROSS = OUT + IN and NET = GROSS − HC, each field rounded to a whole number first (an HC of
// 12.5 counts as 12). Nothing while OUT or IN is empty or not a number; no NET while HC is
// not a number (an HC not filled in yet counts as 0, as OK stores it).
struct Totals
{
    std::optional<qint16> gross;
    std::optional<qint16> net;
};
Totals liveTotals(const QString &hc, const QString &out, const QString &in);

// The row OK stores, all but its IDs and member: an empty HC, OB, OUT or IN counts as 0; GROSS
// and NET follow from HC, OUT and IN as the live totals do (an HC typed as 12.5 is kept as 12.5
// while NET counts 12). The new HC is 0 for a new row. The first field that does not hold what
// it must is named.
Checked<ScoreRecord> check(const Typed &typed, bool editing);

} // namespace ScoreEntry
