#include "CNaturalOrder.h"

namespace {

// The digits of s from `at` on, without leading zeros; `at` ends past the run.
QStringView DigitRun(const QString& s, qsizetype& at) {
    const qsizetype begin = at;
    while (at < s.size() && s.at(at).isDigit())
        ++at;
    qsizetype first = begin;
    while (first + 1 < at && s.at(first).digitValue() == 0)
        ++first;
    return QStringView(s).mid(first, at - first);
}

int CompareNumbers(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const int da = a.at(i).digitValue();
        const int db = b.at(i).digitValue();
        if (da != db)
            return da < db ? -1 : 1;
    }
    return 0;
}

} // namespace

int CNaturalOrder::Compare(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            if (const int order = CompareNumbers(DigitRun(a, i), DigitRun(b, j)))
                return order;
            continue;
        }
        const QChar ca = a.at(i).toCaseFolded();
        const QChar cb = b.at(j).toCaseFolded();
        if (ca != cb)
            return ca < cb ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal as people read them ("a1" and "A01"): a fixed order keeps sorting stable.
    return QString::compare(a, b, Qt::CaseSensitive);
}
