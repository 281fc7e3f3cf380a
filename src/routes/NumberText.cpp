#include "NumberText.h"

#include "platform/DigitText.h"

double leadingValue(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && isDecimalDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDecimalDigit(text[i]))
            ++i;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}
