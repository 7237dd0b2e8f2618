#include "platform/gui/csvexport.h"

#include "core/csv.h"
#include "platform/gui/csvfiledialogs.h"
#include "platform/gui/grid.h"
#include "platform/gui/messagebox.h"
#include "platform/gui/splitbutton.h"

#include <QDir>
#include <QFileInfo>

namespace CsvExport {

QVector<QStringList> gridTexts(const Grid &grid)
{
    QVector<QStringList> records;
    for (int row = 0; row < grid.rows(); ++row) {
        QStringList texts;
        for (int column = 0; column < grid.cols(); ++column)
            texts << grid.cellText(row, column);
        records << texts;
    }
    return records;
}

void addCommand(SplitButton &printButton, std::function<void()> save)
{
    printButton.addCommand(QStringLiteral("CSVに保存"),
                           QStringLiteral("表示している表を、表計算ソフトで開ける CSV ファイルに保存します"),
                           QKeySequence(Qt::CTRL | Qt::Key_E), std::move(save));
}

void save(QWidget *window, const QString &fileName, const QVector<QStringList> &records)
{
    const QString proposed = QDir(CsvFileDialogs::startFolder()).filePath(fileName);
    QString path = CsvFileDialogs::saveFileName(window, QStringLiteral("CSVに保存"), proposed);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    const QString problem = Csv::save(path, records);
    if (!problem.isEmpty()) {
        MessageBox::critical(
            window, QStringLiteral("Parvela"),
            QStringLiteral("「%1」に保存できません（%2）。").arg(QDir::toNativeSeparators(path), problem));
    }
}

} // namespace CsvExport
