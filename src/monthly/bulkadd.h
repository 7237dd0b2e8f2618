#pragma once

#include <QString>
#include <QVector>

// Entering many members in a competition at once, all values 0, to be filled in later.
namespace BulkAdd {

struct Choice
{
    int memberId = 0;
    QString name; // as the member list showed it
};

// Enters each chosen member who is not in the competition yet, with the member's current HC;
// members deleted since the list was filled are skipped. Either every one is entered or, on
// an error, none is. Returns how many were entered. Throws DatabaseError.
int enter(int courseId, const QVector<Choice> &chosen);

} // namespace BulkAdd
