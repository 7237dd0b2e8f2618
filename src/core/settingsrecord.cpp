#include "core/settingsrecord.h"

#include <QDate>

namespace {

// A hand-edited store can hold anything: a multiplier out of range would carry new handicaps
// out of 16 bits (1e39 does not even fit a float), so it gives the default instead.
float readMultiplier(const QString &key, double defaultValue)
{
    const double value = SettingsStore::readDouble(key, defaultValue);
    return static_cast<float>(SettingKeys::multiplierAccepted(value) ? value : defaultValue);
}

// A hand-edited list that does not read gives no 飛び賞, as an unset one does.
SidePrizes::Rules readSidePrizes()
{
    using namespace SettingKeys;
    SidePrizes::Rules rules;
    rules.bestGross = SettingsStore::readInt(PrizeBestGross, 0) == 1;
    rules.bestGrossLeavesOutPlaces = SettingsStore::readInt(PrizeBestGrossLeavesOutPlaces, 0) == 1;
    rules.booby = SettingsStore::readInt(PrizeBooby, 0) == 1;
    rules.boobyMaker = SettingsStore::readInt(PrizeBoobyMaker, 0) == 1;
    rules.flyingPlaces =
        SidePrizes::readPlaces(SettingsStore::read(PrizeFlyingPlaces, QString())).value_or(QVector<int>());
    rules.flyingEvery = qMax(0, SettingsStore::readInt(PrizeFlyingEvery, 0));
    return rules;
}

void saveSidePrizes(const SidePrizes::Rules &rules)
{
    using namespace SettingKeys;
    SettingsStore::saveInt(PrizeBestGross, rules.bestGross);
    SettingsStore::saveInt(PrizeBestGrossLeavesOutPlaces, rules.bestGrossLeavesOutPlaces);
    SettingsStore::saveInt(PrizeBooby, rules.booby);
    SettingsStore::saveInt(PrizeBoobyMaker, rules.boobyMaker);
    SettingsStore::save(PrizeFlyingPlaces, SidePrizes::placesText(rules.flyingPlaces));
    SettingsStore::saveInt(PrizeFlyingEvery, rules.flyingEvery);
}

} // namespace

SettingsRecord SettingsRecord::load()
{
    using namespace SettingKeys;
    const SettingsStore::Reading reading;
    SettingsRecord settings;
    const auto thisYear = static_cast<qint16>(QDate::currentDate().year());
    settings.editYear = SettingsStore::readInt16(EditYear, thisYear);
    if (settings.editYear < MinEditYear || settings.editYear > MaxEditYear)
        settings.editYear = thisYear;
    settings.winnerMultiplier = readMultiplier(Par1st, DefaultPar1st);
    settings.runnerUpMultiplier = readMultiplier(Par2nd, DefaultPar2nd);
    settings.thirdMultiplier = readMultiplier(Par3rd, DefaultPar3rd);
    settings.attendanceRule = SettingsStore::readInt16(OptTori1, DefaultOptTori1);
    settings.minimumAttendance = SettingsStore::readInt16(OptTori1Val, DefaultOptTori1Val);
    settings.pointsRule = SettingsStore::readInt16(OptTori2, DefaultOptTori2);
    settings.minimumPoints = SettingsStore::readInt16(OptTori2Val, DefaultOptTori2Val);
    for (std::size_t i = 0; i < TenTori.size(); ++i)
        settings.pointsFor[i] = SettingsStore::readInt16(TenTori[i], DefaultTenTori[i]);
    settings.printScale = SettingsStore::readInt16(PrintSize, DefaultPrintSize);
    settings.sidePrizes = readSidePrizes();
    return settings;
}

void SettingsRecord::save() const
{
    using namespace SettingKeys;
    const SettingsStore::Writing batch;
    SettingsStore::saveInt(EditYear, editYear);
    SettingsStore::save(Par1st, SettingsStore::floatText(winnerMultiplier));
    SettingsStore::save(Par2nd, SettingsStore::floatText(runnerUpMultiplier));
    SettingsStore::save(Par3rd, SettingsStore::floatText(thirdMultiplier));
    SettingsStore::saveInt(OptTori1, attendanceRule);
    SettingsStore::saveInt(OptTori1Val, minimumAttendance);
    SettingsStore::saveInt(OptTori2, pointsRule);
    SettingsStore::saveInt(OptTori2Val, minimumPoints);
    for (std::size_t i = 0; i < TenTori.size(); ++i)
        SettingsStore::saveInt(TenTori[i], pointsFor[i]);
    SettingsStore::saveInt(PrintSize, printScale);
    saveSidePrizes(sidePrizes);
}
