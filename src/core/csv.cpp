#include "core/csv.h"

#include <QSaveFile>
#include <QStringDecoder>

#include <csv.h>
#include <iconv.h>

namespace {

const QByteArray Utf8Bom("\xEF\xBB\xBF");

// What a spreadsheet takes for the start of a formula, and the apostrophe that marks text.
bool startsArmed(QStringView cell)
{
    static const QString starts = QStringLiteral("=+-@\t\r'");
    return !cell.isEmpty() && starts.contains(cell.front());
}

QString quoted(const QString &field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    bool needsQuotes = !field.isEmpty() && (field.front().isSpace() || field.back().isSpace());
    for (const QChar c : field)
        needsQuotes = needsQuotes || special.contains(c);
    if (!needsQuotes)
        return field;
    QString doubled = field;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

std::optional<QString> strictUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

// Qt's own converters know no CP932; glibc's iconv does, and refuses a byte sequence that is
// not CP932 instead of guessing.
std::optional<QString> strictCp932(const QByteArray &bytes)
{
    const iconv_t converter = iconv_open("UTF-8", "CP932");
    // iconv_open tells its failure by the address (iconv_t)-1.
    if (converter == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr)
        return std::nullopt;
    QByteArray in = bytes;
    QByteArray out(bytes.size() * 3 + 4, Qt::Uninitialized); // one byte never grows beyond three
    char *inPointer = in.data();
    char *outPointer = out.data();
    std::size_t inLeft = static_cast<std::size_t>(in.size());
    std::size_t outLeft = static_cast<std::size_t>(out.size());
    const std::size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
    iconv_close(converter);
    if (result == static_cast<std::size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.truncate(out.size() - static_cast<int>(outLeft));
    return QString::fromUtf8(out);
}

// A text file never holds NUL; a binary file and a UTF-16 one do at once. Other control characters
// are a matter of the fields that hold them (a name with a tab is refused by its row).
bool looksBinary(const QString &text)
{
    return text.contains(QChar(0));
}

// What libcsv's callbacks build. With every line break reported, a CR LF pair ends one record,
// and a break after nothing is a blank row, counted but not kept.
struct Collector
{
    Csv::Parsed parsed;
    QStringList fields;
    bool fieldSeen = false;
    int line = 1;
    int previousEnd = 0;

    static void field(void *data, std::size_t length, void *self)
    {
        auto *collector = static_cast<Collector *>(self);
        collector->fields << QString::fromUtf8(static_cast<const char *>(data), static_cast<qsizetype>(length));
        collector->fieldSeen = true;
    }

    static void recordEnd(int terminator, void *self)
    {
        auto *collector = static_cast<Collector *>(self);
        const bool secondHalfOfCrLf = !collector->fieldSeen && terminator == '\n' && collector->previousEnd == '\r';
        collector->previousEnd = collector->fieldSeen ? terminator : (secondHalfOfCrLf ? 0 : terminator);
        if (secondHalfOfCrLf)
            return;
        if (collector->fieldSeen && !collector->fields.join(QString()).trimmed().isEmpty())
            collector->parsed.records.append({collector->line, collector->fields});
        collector->fields.clear();
        collector->fieldSeen = false;
        ++collector->line;
    }
};

} // namespace

namespace Csv {

QString disarmed(const QString &cell, Column column)
{
    bool number = false;
    if (column == Column::Number)
        cell.toDouble(&number);
    return startsArmed(cell) && !number ? QLatin1Char('\'') + cell : cell;
}

QString rearmed(const QString &cell)
{
    return cell.startsWith(QLatin1Char('\'')) && startsArmed(QStringView(cell).mid(1)) ? cell.mid(1) : cell;
}

QByteArray encode(const QVector<QStringList> &records, const Columns &columns)
{
    QString text;
    for (const QStringList &record : records) {
        QStringList fields;
        for (qsizetype column = 0; column < record.size(); ++column)
            fields << quoted(disarmed(record.at(column), columns.value(column, Column::Text)));
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return Utf8Bom + text.toUtf8();
}

QString save(const QString &path, const QVector<QStringList> &records, const Columns &columns)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const QByteArray bytes = encode(records, columns);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return QString();
}

std::optional<QString> decode(const QByteArray &bytes)
{
    std::optional<QString> text = bytes.startsWith(Utf8Bom) ? strictUtf8(bytes.mid(Utf8Bom.size())) : strictUtf8(bytes);
    if (!text && !bytes.startsWith(Utf8Bom))
        text = strictCp932(bytes);
    if (!text || looksBinary(*text))
        return std::nullopt;
    return text;
}

Parsed parse(const QString &text)
{
    csv_parser parser;
    Collector collector;
    if (csv_init(&parser, CSV_STRICT | CSV_STRICT_FINI | CSV_REPALL_NL) != 0) {
        collector.parsed.problemLine = 1;
        return collector.parsed;
    }
    const QByteArray bytes = text.toUtf8();
    const std::size_t done = csv_parse(&parser, bytes.constData(), static_cast<std::size_t>(bytes.size()),
                                       &Collector::field, &Collector::recordEnd, &collector);
    if (done != static_cast<std::size_t>(bytes.size())
        || csv_fini(&parser, &Collector::field, &Collector::recordEnd, &collector) != 0)
        collector.parsed.problemLine = collector.line;
    csv_free(&parser);
    return collector.parsed;
}

} // namespace Csv
