#include "platform/gui/csvfiledialogs.h"

#include <QFileDialog>
#include <QStandardPaths>

namespace {

const QString Filter = QStringLiteral("CSV ファイル (*.csv);;すべてのファイル (*)");
CsvFileDialogs::Answer g_answer;

} // namespace

namespace CsvFileDialogs {

QString saveFileName(QWidget *parent, const QString &caption, const QString &proposedPath)
{
    if (g_answer)
        return g_answer(caption, proposedPath);
    return QFileDialog::getSaveFileName(parent, caption, proposedPath, Filter);
}

QString openFileName(QWidget *parent, const QString &caption)
{
    if (g_answer)
        return g_answer(caption, QString());
    return QFileDialog::getOpenFileName(parent, caption, startFolder(), Filter);
}

QString startFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

void setAnswer(Answer answer)
{
    g_answer = std::move(answer);
}

} // namespace CsvFileDialogs
