#pragma once

#include <QStringList>
#include <QVector>

// The order of member lists by their kana reading (HURIKANA): 五十音順, as a Japanese
// dictionary orders words. A voiced kana follows its plain one (かとう, がとう, かわい),
// hiragana and katakana of one reading stand together, and both come before きむら.
namespace KanaOrder {

// The indexes of `readings` in kana order; equal readings keep the order they were given in.
QVector<qsizetype> sorted(const QStringList &readings);

} // namespace KanaOrder
