#include "platform/gui/csvexport.h"

#include "platform/gui/filedialogs.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QDir>

namespace CsvExport {

namespace {

void save(QWidget *window, const QString &fileName, const QVector<QStringList> &records, const Csv::Columns &columns)
{
    const QString path = FileDialogs::saveFileName(window, QStringLiteral("CSVに保存"),
                                                   FileDialogs::inDocuments(fileName), FileDialogs::CsvFilter);
    if (path.isEmpty())
        return;
    const QString problem = Csv::save(path, records, columns);
    if (!problem.isEmpty()) {
        MessageBox::critical(
            window, QStringLiteral("Parvela"),
            QStringLiteral("「%1」に保存できません（%2）。").arg(QDir::toNativeSeparators(path), problem));
    } else {
        MessageBox::tellSaved(window, path);
    }
}

} // namespace

void addCommand(SplitButton &printButton, std::function<QString()> documentName,
                std::function<QVector<QStringList>()> records, const Csv::Columns &columns)
{
    QWidget *window = printButton.window();
    printButton.addCommand(QStringLiteral("CSVに保存"),
                           QStringLiteral("表示している表を、表計算ソフトで開ける CSV ファイルに保存します"),
                           QKeySequence(Qt::CTRL | Qt::Key_E),
                           [window, documentName = std::move(documentName), records = std::move(records), columns] {
                               save(window, documentName() + QStringLiteral(".csv"), records(), columns);
                           });
}

} // namespace CsvExport
