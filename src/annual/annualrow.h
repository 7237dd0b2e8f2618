#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One member's year: what the annual summary window shows and the annual printout prints.
struct AnnualRow
{
    int memberId = 0;
    QString name;
    double initialHc = 0; // F_HC
    double finalHc = 0;   // E_HC
    // GROSS_VAL of the member's first row in each month's competition; absent when not played.
    std::array<std::optional<int>, 12> monthGross;
    // 1, 2 or 3 for the places that earn a mark, 0 for none.
    std::array<int, 12> monthMark{};
    qint16 monthsPlayed = 0; // counted only while the attendance rule is on
    qint16 points = 0;       // counted only while the points rule is on
    // Absent exactly when the member played no month of the year.
    std::optional<double> obTotal;
    std::optional<qint16> averageGross;
    std::optional<int> bestGross;
    std::optional<int> worstGross;
    std::optional<bool> eligible;
};

// The twenty columns of a member's line as the annual window shows it: name, the two handicaps,
// the twelve months' gross scores, OB total, average, best, worst and the eligibility mark.
namespace AnnualColumns {
inline constexpr int Count = 20;
inline constexpr int FirstMonth = 3;
inline constexpr int ObTotal = 15;
} // namespace AnnualColumns
QStringList annualHeaders();
QString annualCellText(const AnnualRow &row, int column);
QStringList annualRowTexts(const AnnualRow &row);
