#pragma once

#include <QString>

// The handicap history window of a member of the largest club the 16-bit IDs allow over ten
// years: opened, filled and painted, beside a bare window with the same table. Prints the
// figure and returns whether it opened in under 50 ms. The club is made in `folder`.
bool historyBenchmark(const QString &folder);
