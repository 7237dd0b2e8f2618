#include "platform/gui/filedialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

FileDialogs::Answer g_answer;

// The user's documents folder, the home folder when there is none.
QString documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

namespace FileDialogs {

QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath, const QString &filter)
{
    if (g_answer)
        return g_answer(title, proposedPath, filter);
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

QString openFileName(QWidget *parent, const QString &title, const QString &filter)
{
    if (g_answer)
        return g_answer(title, QString(), filter);
    QFileDialog dialog(parent, title, documentsFolder(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString inDocuments(const QString &name)
{
    return QDir(documentsFolder()).filePath(name);
}

void setAnswer(Answer answer)
{
    g_answer = std::move(answer);
}

} // namespace FileDialogs
