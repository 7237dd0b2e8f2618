#pragma once

#include "core/settingsstore.h"
#include "monthly/sideprizes.h"

#include <array>

// The club's rules and the user's preferences: loaded once at start-up, handed to the windows that
// need them, changed only by the settings dialog.
struct SettingsRecord
{
    qint16 editYear = 0; // loaded from the store, this year by default
    // The new handicap of the winner, the runner-up and the third: their handicap times these.
    float winnerMultiplier = float(SettingKeys::DefaultPar1st);
    float runnerUpMultiplier = float(SettingKeys::DefaultPar2nd);
    float thirdMultiplier = float(SettingKeys::DefaultPar3rd);
    // The year-end championship: a rule is on only while its setting is exactly 1.
    qint16 attendanceRule = SettingKeys::DefaultOptTori1;
    qint16 minimumAttendance = SettingKeys::DefaultOptTori1Val; // months played
    qint16 pointsRule = SettingKeys::DefaultOptTori2;
    qint16 minimumPoints = SettingKeys::DefaultOptTori2Val;
    // The points of a month played, then of places 1, 2 and 3.
    std::array<qint16, 4> pointsFor = {SettingKeys::DefaultTenTori[0], SettingKeys::DefaultTenTori[1],
                                       SettingKeys::DefaultTenTori[2], SettingKeys::DefaultTenTori[3]};
    qint16 printScale = SettingKeys::DefaultPrintSize; // per cent of the printouts' base size
    SidePrizes::Rules sidePrizes;                      // none unless the club sets them

    // The record as the settings store holds it; what is missing or out of range gives the default.
    static SettingsRecord load();
    // Writes every key of the record.
    void save() const;
};
