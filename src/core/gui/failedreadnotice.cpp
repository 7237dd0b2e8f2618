#include "core/gui/failedreadnotice.h"

#include "core/gui/errorreport.h"
#include "platform/gui/gridview.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include <utility>

namespace {

const QString NotRead = QStringLiteral("データを読み込めませんでした。");

} // namespace

FailedReadNotice::FailedReadNotice(GridView *grid, QList<QWidget *> printCommands)
    : QObject(grid)
    , m_grid(grid)
    , m_printCommands(std::move(printCommands))
    , m_notice(new QLabel(grid))
{
    m_notice->setObjectName(QStringLiteral("failedReadNotice"));
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->setWordWrap(true);
    m_notice->setMargin(16);
    m_notice->setAutoFillBackground(true);
    m_notice->hide();
    grid->installEventFilter(this);
}

bool FailedReadNotice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        m_notice->setGeometry(m_grid->rect());
    return QObject::eventFilter(watched, event);
}

void FailedReadNotice::showRead()
{
    m_notice->hide();
    setPrintEnabled(true);
}

void FailedReadNotice::showFailed(QWidget *window, const DatabaseError &error)
{
    m_notice->setText(NotRead + QLatin1Char('\n') + DatabaseErrorCause(error)
                      + QStringLiteral("\n\n原因を取り除いてから、この画面を開き直してください。"));
    m_notice->setGeometry(m_grid->rect());
    m_notice->show();
    m_notice->raise();
    setPrintEnabled(false);
    ReportDatabaseError(window, error, NotRead);
}

void FailedReadNotice::setPrintEnabled(bool enabled)
{
    for (QWidget *command : m_printCommands) {
        command->setEnabled(enabled);
        // A split button's further commands (and their shortcuts) print the same table.
        if (auto *button = qobject_cast<QToolButton *>(command); button && button->menu()) {
            for (QAction *action : button->menu()->actions())
                action->setEnabled(enabled);
        }
    }
}
