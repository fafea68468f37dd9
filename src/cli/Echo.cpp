#include "Echo.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

QString echoed(QStringView input) {
    constexpr qsizetype Limit = 200;
    qsizetype shown = std::min(input.size(), Limit);
    // A cut between the halves of a surrogate pair would leave half a character.
    if (shown < input.size() && input[shown - 1].isHighSurrogate())
        --shown;
    QString text;
    text.reserve(shown + 8);
    for (const QChar c : input.first(shown)) {
        const char16_t u = c.unicode();
        if (u == u'\t')
            text += u"\\t"_s;
        else if (u == u'\n')
            text += u"\\n"_s;
        else if (u == u'\r')
            text += u"\\r"_s;
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            text += u"\\x"_s + QString::number(u, 16).rightJustified(2, u'0').toUpper();
        else
            text += c;
    }
    if (shown < input.size())
        text += u"…"_s;
    return text;
}

} // namespace vw::cli
