#include "workbookrefs.h"

#include <algorithm>

namespace torvel {

namespace {

constexpr int kMaxLetters = 6; // 26^6 still fits an int
constexpr int kMaxDigits = 9;
constexpr int kSheetNameLimit = 31;

} // namespace

bool parseCellRef(QStringView ref, int *row, int *col)
{
    qsizetype i = 0;
    if (i < ref.size() && ref[i] == QLatin1Char('$'))
        ++i;
    int column = 0;
    int letters = 0;
    for (; i < ref.size(); ++i) {
        const char16_t c = ref[i].unicode();
        if (c >= u'a' && c <= u'z')
            column = column * 26 + (c - u'a' + 1);
        else if (c >= u'A' && c <= u'Z')
            column = column * 26 + (c - u'A' + 1);
        else
            break;
        if (++letters > kMaxLetters)
            return false;
    }
    if (i < ref.size() && ref[i] == QLatin1Char('$'))
        ++i;
    int number = 0;
    int digits = 0;
    for (; i < ref.size(); ++i) {
        const char16_t c = ref[i].unicode();
        if (c < u'0' || c > u'9' || ++digits > kMaxDigits)
            return false;
        number = number * 10 + (c - u'0');
    }
    if (letters == 0 || digits == 0 || number == 0)
        return false;
    *row = number;
    *col = column;
    return true;
}

bool parseRangeRef(QStringView ref, QRect *range)
{
    const qsizetype colon = ref.indexOf(QLatin1Char(':'));
    int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
    if (colon < 0) {
        if (!parseCellRef(ref, &row1, &col1))
            return false;
        row2 = row1;
        col2 = col1;
    } else if (!parseCellRef(ref.left(colon), &row1, &col1)
               || !parseCellRef(ref.mid(colon + 1), &row2, &col2)) {
        return false;
    }
    *range = QRect(QPoint(std::min(col1, col2), std::min(row1, row2)),
                   QPoint(std::max(col1, col2), std::max(row1, row2)));
    return true;
}

QString sanitizeSheetName(const QString &name)
{
    QString result = name;
    for (QChar &c : result) {
        switch (c.unicode()) {
        case u'[': case u']': case u':': case u'*': case u'?': case u'/': case u'\\':
            c = QLatin1Char('_');
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                c = QLatin1Char('_');
        }
    }
    if (result.size() > kSheetNameLimit) {
        // Cut between characters, never inside a surrogate pair.
        qsizetype cut = kSheetNameLimit;
        if (result.at(cut - 1).isHighSurrogate())
            --cut;
        result.truncate(cut);
    }
    if (result.startsWith(QLatin1Char('\'')))
        result[0] = QLatin1Char('_');
    if (result.endsWith(QLatin1Char('\'')))
        result[result.size() - 1] = QLatin1Char('_');
    // Excel keeps "History" for itself.
    if (result.compare(QLatin1String("History"), Qt::CaseInsensitive) == 0)
        result += QLatin1Char('_');
    if (result.isEmpty())
        result = QStringLiteral("Tabelle1");
    return result;
}

} // namespace torvel
