#include "platform/gui/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

FileDialogs::SaveAnswer g_saveAnswer;

} // namespace

namespace FileDialogs {

QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath, const QString &filter)
{
    if (g_saveAnswer)
        return g_saveAnswer(title, proposedPath, filter);
    const QFileInfo proposal(proposedPath);
    QFileDialog dialog(parent, title, proposal.absolutePath(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(proposal.suffix());
    dialog.selectFile(proposal.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString inDocuments(const QString &name)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(QDir(documents).exists() ? documents : QDir::homePath()).filePath(name);
}

void setSaveAnswer(SaveAnswer answer)
{
    g_saveAnswer = std::move(answer);
}

} // namespace FileDialogs
