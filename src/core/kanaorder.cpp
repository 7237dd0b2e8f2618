#include "core/kanaorder.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <numeric>
#include <vector>

namespace KanaOrder {

QVector<qsizetype> sorted(const QStringList &readings)
{
    // The engine compares text byte by byte, which puts every が after all か and katakana
    // after all hiragana; the Japanese collation of ICU knows the dictionary's order. Each
    // reading's key is made once, not at every comparison.
    const QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    std::vector<QCollatorSortKey> keys;
    keys.reserve(static_cast<size_t>(readings.size()));
    for (const QString &reading : readings)
        keys.push_back(collator.sortKey(reading));
    QVector<qsizetype> order(readings.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](qsizetype a, qsizetype b) {
        return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
    });
    return order;
}

} // namespace KanaOrder
