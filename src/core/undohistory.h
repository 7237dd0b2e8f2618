#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>

// The user's changes to the club's records for this run, step by step, so that a slip can be
// taken back without going back to the start of the day's copy. A step is what one user action
// changed in the three tables, as SQLite's session extension records it on the program's
// connection: the rows as they were and as they became. Undoing applies the step inverted,
// redoing applies it again, each in one transaction. The history lives in memory only, never
// in the database file.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    // At least this many of the latest steps are kept while they fit into KeptBytes; the
    // oldest go first.
    static constexpr int KeptSteps = 50;
    static constexpr qsizetype KeptBytes = 32 * 1024 * 1024;

    explicit UndoHistory(QObject *parent = nullptr);
    ~UndoHistory() override;

    // Runs `action` on the open database and keeps what it changed as one step called `name`
    // ("「山田太郎」の削除"). Nothing is kept when the action throws (the exception goes on) or
    // changes no row. A kept step drops the steps that could be redone, as in any editor.
    // Called again while recording, the inner action is part of the outer step.
    // Returns whether a step was kept. Throws DatabaseError when the changes cannot be read.
    bool record(const QString &name, const std::function<void()> &action);
    // The same, for an action whose name is known only once it ran (the member a dialog added):
    // `name` is asked after `action`, and only when a step is kept.
    bool record(const std::function<void()> &action, const std::function<QString()> &name);

    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    // The name of the step an undo or a redo would take back or do again; empty when none.
    QString undoName() const;
    QString redoName() const;

    // Takes the last step back, or does the last undone step again, and returns its name. All
    // or nothing: when a row has changed since (by another program on the same file) or a
    // statement fails, nothing is applied, the step stays where it was, and DatabaseError says
    // why.
    QString undo();
    QString redo();

    // Forgets every step: the records were replaced as a whole (a restore).
    void clear();

signals:
    // What can be undone or redone changed.
    void changed();
    // An undo or a redo put these rows back: whatever shows them must read them again. The
    // text says what was done ("元に戻しました：「山田太郎」の削除").
    void recordsRestored(const QString &notice);

private:
    struct Step
    {
        QString name;
        QByteArray changeset; // the changes as made; undone by applying its inverse
    };

    QString moveStep(std::deque<Step> &from, std::deque<Step> &to, bool inverse);
    void apply(const QByteArray &changeset, const QString &refusal);
    void keepWithinLimits();

    std::deque<Step> m_done;   // oldest first
    std::deque<Step> m_undone; // the next to redo last
    bool m_recording = false;
};
