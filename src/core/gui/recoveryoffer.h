#pragma once

#include <QString>

class QWidget;

// The way back from a damaged database: the newest sound copy in the backup folder, another copy
// chosen in the restore window's list, or no restore at all. The damaged data is kept, never
// overwritten, and the user is told where it is.
namespace RecoveryOffer {

// Opens the database at start-up. A file that is the club's but cannot be read (not a database
// any more, cut to nothing) gets the offer; the end is the third choice. False when the program
// must end (the user has been told why, or chose to).
bool openOrRecover(const QString &databasePath);

// The day's copy of the open database failed its check, so the database may be damaged: the same
// offer, with going on as the third choice.
void forFailedCopy(QWidget *parent);

} // namespace RecoveryOffer
