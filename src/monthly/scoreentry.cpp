#include "monthly/scoreentry.h"

#include "core/numbertext.h"

namespace ScoreEntry {

namespace {

QString orZero(const QString &text)
{
    return text.isEmpty() ? QStringLiteral("0") : text;
}

FieldError refusal(Field field, const QString &caption, const QString &what)
{
    return {field, QStringLiteral("%1には%2を入力してください。").arg(caption, what)};
}

const QString Number = QStringLiteral("数値");
const QString Strokes = QStringLiteral("0から32767までの整数");
const QString Total = QStringLiteral("-32768から32767までの整数");

} // namespace

Totals liveTotals(const QString &hc, const QString &out, const QString &in)
{
    Totals totals;
    if (out.isEmpty() || in.isEmpty())
        return totals;
    const std::optional<qint16> outStrokes = NumberText::readInt16(out);
    const std::optional<qint16> inStrokes = NumberText::readInt16(in);
    if (!outStrokes || !inStrokes)
        return totals;
    totals.gross = NumberText::roundToInt16(double(*outStrokes) + double(*inStrokes));
    const std::optional<qint16> handicap = hc.trimmed().isEmpty() ? qint16(0) : NumberText::readInt16(hc);
    if (totals.gross && handicap)
        totals.net = NumberText::roundToInt16(double(*totals.gross) - double(*handicap));
    return totals;
}

Checked<ScoreRecord> check(const Typed &typed, bool editing)
{
    Checked<ScoreRecord> checked;
    const std::optional<double> hc = NumberText::read(orZero(typed.hc));
    const std::optional<qint16> roundedHc = hc ? NumberText::roundToInt16(*hc) : std::nullopt;
    const std::optional<double> ob = NumberText::read(orZero(typed.ob));
    const std::optional<qint16> out = NumberText::readWhole(orZero(typed.out), 0);
    const std::optional<qint16> in = NumberText::readWhole(orZero(typed.in), 0);
    const std::optional<double> newHc = editing ? NumberText::read(orZero(typed.newHc)) : 0.0;
    if (!roundedHc)
        checked.error = refusal(Hc, QStringLiteral("HC"), Number);
    else if (!ob)
        checked.error = refusal(Ob, QStringLiteral("OB罰金"), Number);
    else if (!out)
        checked.error = refusal(Out, QStringLiteral("OUT"), Strokes);
    else if (!in)
        checked.error = refusal(In, QStringLiteral("IN"), Strokes);
    if (checked.error)
        return checked;
    const std::optional<qint16> gross = NumberText::roundToInt16(double(*out) + double(*in));
    const std::optional<qint16> net =
        gross ? NumberText::roundToInt16(double(*gross) - double(*roundedHc)) : std::nullopt;
    if (!gross)
        checked.error = refusal(Gross, QStringLiteral("GROSS"), Total);
    else if (!net)
        checked.error = refusal(Net, QStringLiteral("NET"), Total);
    else if (!newHc)
        checked.error = refusal(NewHc, QStringLiteral("新ＨＣ"), Number);
    if (checked.error)
        return checked;
    ScoreRecord &score = checked.values;
    score.hc = *hc;
    score.ob = *ob;
    score.out = *out;
    score.in = *in;
    score.gross = *gross;
    score.net = *net;
    score.newHc = *newHc;
    return checked;
}

} // namespace ScoreEntry
