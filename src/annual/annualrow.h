#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <array>
#include <optional>

// One member's year: what the annual summary window shows and the annual printout prints.
struct AnnualRow
{
    int memberId = 0;
    QString name;
    QVariant initialHc; // F_HC as stored
    QVariant finalHc;   // E_HC as stored
    // GROSS_VAL of the member's first row in each month's competition; invalid when absent.
    std::array<QVariant, 12> monthGross;
    // 1, 2 or 3 for the places that earn a mark, 0 for none.
    std::array<int, 12> monthMark{};
    qint16 monthsPlayed = 0; // counted only while the attendance rule is on
    qint16 points = 0;       // counted only while the points rule is on
    QVector<int> playedCourseIds;
    // Absent exactly when the member played no month of the year.
    QVariant obTotal;
    std::optional<qint16> averageGross;
    QVariant bestGross;
    QVariant worstGross;
    std::optional<bool> eligible;
};

// A stored value as the table shows it: "85", "12.5"; empty for an absent value.
QString annualCellText(const QVariant &value);

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
