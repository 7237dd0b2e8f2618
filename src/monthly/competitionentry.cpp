#include "monthly/competitionentry.h"

namespace CompetitionEntry {

Checked<Values> check(const QString &playDate, const QString &courseName)
{
    Checked<Values> checked;
    if (playDate.isEmpty())
        checked.error = FieldError{PlayDate, QStringLiteral("プレイ日を入力してください。")};
    else if (courseName.isEmpty())
        checked.error = FieldError{CourseName, QStringLiteral("コース名を入力してください。")};
    else
        checked.values = {playDate, courseName};
    return checked;
}

} // namespace CompetitionEntry
