#include "core/settingsentry.h"

#include "core/numbertext.h"

namespace SettingsEntry {

namespace {

const std::array<QString, 3> Places = {QStringLiteral("優勝"), QStringLiteral("準優勝"), QStringLiteral("3位")};
const std::array<QString, 4> PointNames = {QStringLiteral("出席の点数"), QStringLiteral("優勝の点数"),
                                           QStringLiteral("準優勝の点数"), QStringLiteral("3位の点数")};

// A count or point value: any number that rounds into 16 bits.
bool readWhole(const QString &text, Field field, const QString &name, qint16 &into, Checked<SettingsRecord> &checked)
{
    const std::optional<qint16> value = NumberText::readInt16(text);
    if (!value) {
        checked.error =
            FieldError{field, QStringLiteral("%1には-32768から32767までの数値を入力してください。").arg(name)};
        return false;
    }
    into = *value;
    return true;
}

bool readMultiplier(const QString &text, int place, float &into, Checked<SettingsRecord> &checked)
{
    const std::optional<double> value = NumberText::read(text);
    const float single = value ? static_cast<float>(*value) : 0.0f;
    if (!value || !(single > 0.0f && single <= LargestMultiplier)) {
        checked.error =
            FieldError{Par1st + place, QStringLiteral("%1の倍率には0より大きく%2以下の数値を入力してください。")
                                           .arg(Places[static_cast<size_t>(place)])
                                           .arg(LargestMultiplier)};
        return false;
    }
    into = single;
    return true;
}

} // namespace

bool yearReadable(const QString &year)
{
    return NumberText::read(year).has_value();
}

Checked<SettingsRecord> check(const Typed &typed, const SettingsRecord &settings)
{
    Checked<SettingsRecord> checked;
    SettingsRecord &entered = checked.values;
    entered = settings;
    const std::optional<qint16> year = NumberText::readInt16(typed.year);
    if (!year || *year < FirstYear || *year > LastYear) {
        checked.error = FieldError{
            Year, QStringLiteral("西暦には%1から%2までの年を入力してください。").arg(FirstYear).arg(LastYear)};
        return checked;
    }
    entered.editYear = *year;
    std::array<float *, 3> multipliers = {&entered.winnerMultiplier, &entered.runnerUpMultiplier,
                                          &entered.thirdMultiplier};
    for (int place = 0; place < 3; ++place) {
        if (!readMultiplier(typed.multipliers[static_cast<size_t>(place)], place,
                            *multipliers[static_cast<size_t>(place)], checked))
            return checked;
    }
    if (!readWhole(typed.tori1Val, Tori1Val, QStringLiteral("出場回数"), entered.minimumAttendance, checked)
        || !readWhole(typed.tori2Val, Tori2Val, QStringLiteral("取り切りの点数"), entered.minimumPoints, checked))
        return checked;
    for (size_t i = 0; i < typed.points.size(); ++i) {
        if (!readWhole(typed.points[i], static_cast<Field>(TenTori0 + i), PointNames[i], entered.pointsFor[i], checked))
            return checked;
    }
    return checked;
}

} // namespace SettingsEntry
