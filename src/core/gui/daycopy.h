#pragma once

#include "core/backup.h"

#include <QDate>
#include <QObject>
#include <QString>

class QThread;
class QWidget;

// The day's copy of the database, made on a worker thread once the main menu has been painted:
// the first start of a day shows the menu as soon as any other start, and the copy (a few
// milliseconds of read lock, then a check of the copy) runs while the user looks at it. Its
// outcome is told afterwards on the window's thread: a copy that fails its check means the
// database itself may be damaged, and the way back is offered.
class DayCopy : public QObject
{
    Q_OBJECT

public:
    DayCopy(QWidget *menu, QString databasePath);
    // Waits for the copy: a closing program leaves no copy half made.
    ~DayCopy() override;

    // Blocks until the worker has ended (at once when it never started).
    void wait();
    bool isFinished() const { return m_told; }

    // What the copies of this process put in the copy's way (tests only).
    static void setSeams(const Backup::Seams &seams);

signals:
    // The outcome has been told.
    void finished();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void start();
    void tell();

    QWidget *m_menu;
    QString m_databasePath;
    QDate m_today;
    QThread *m_thread = nullptr;
    Backup::Outcome m_outcome;
    bool m_told = false;
};
