#pragma once

#include "core/database.h"

#include <QList>
#include <QObject>

class GridView;
class QLabel;
class QWidget;

// What a table window shows when its rows could not be read: a notice over the grid, not an
// empty table that looks like a club without members, and its print commands disabled so such
// a table is never printed. A later read that succeeds takes the notice away again.
class FailedReadNotice : public QObject
{
public:
    // `printCommands`: buttons (a split button's menu commands included) to disable meanwhile.
    FailedReadNotice(GridView *grid, QList<QWidget *> printCommands);

    // Runs the read that fills the grid. A database error is reported and shows the notice; the
    // caller shows no rows then. Returns true when the read ran to its end.
    template <typename Read>
    bool run(QWidget *window, Read &&read)
    {
        try {
            read();
            showRead();
            return true;
        } catch (const DatabaseError &error) {
            showFailed(window, error);
            return false;
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showRead();
    void showFailed(QWidget *window, const DatabaseError &error);
    void setPrintEnabled(bool enabled);

    GridView *m_grid;
    QList<QWidget *> m_printCommands;
    QLabel *m_notice;
};
