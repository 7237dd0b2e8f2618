#include "monthly/coursehistory.h"

#include "core/settingsstore.h"

namespace CourseHistory {

QStringList names()
{
    QStringList result;
    for (int n = 1; n <= SettingKeys::CourseHistoryLength; ++n) {
        const QString name = SettingsStore::read(SettingKeys::course(n), QString());
        if (!name.isEmpty())
            result << name;
    }
    return result;
}

bool remember(const QString &name)
{
    for (int n = 1; n <= SettingKeys::CourseHistoryLength; ++n) {
        if (SettingsStore::read(SettingKeys::course(n), QString()) == name)
            return true;
    }
    {
        const SettingsStore::Writing batch;
        // Each older entry is read back just before it is copied one place down.
        for (int n = SettingKeys::CourseHistoryLength; n > 1; --n)
            SettingsStore::save(SettingKeys::course(n), SettingsStore::read(SettingKeys::course(n - 1), QString()));
        SettingsStore::save(SettingKeys::course(1), name);
    }
    return SettingsStore::lastSaveSucceeded();
}

} // namespace CourseHistory
