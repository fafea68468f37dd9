#include "Echo.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

bool isLoneSurrogate(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    return c.isLowSurrogate() && (i == 0 || !text[i - 1].isHighSurrogate());
}

namespace {

QString surrogateEscape(QChar c) {
    return u"\\x{"_s + QString::number(c.unicode(), 16) + u'}';
}

} // namespace

QString shown(QStringView text) {
    QString result;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSurrogate() && isLoneSurrogate(text, i)) {
            result += text.sliced(copied, i - copied);
            result += surrogateEscape(text[i]);
            copied = i + 1;
        }
    }
    if (copied == 0)
        return text.toString();
    return result += text.sliced(copied);
}

QString echoed(QStringView input) {
    constexpr qsizetype Limit = 200;
    qsizetype length = std::min(input.size(), Limit);
    // A cut between the halves of a surrogate pair would leave half a character.
    if (length < input.size() && input[length - 1].isHighSurrogate())
        --length;
    QString text;
    text.reserve(length + 8);
    const QStringView kept = input.first(length);
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept[i];
        const char16_t u = c.unicode();
        if (isLoneSurrogate(kept, i))
            text += surrogateEscape(c);
        else if (u == u'\t')
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
    if (length < input.size())
        text += u"…"_s;
    return text;
}

} // namespace vw::cli
