#include "Echo.h"

#include "editor/EditFile.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

bool breaksLineOrDirection(QChar c) {
    const char16_t u = c.unicode();
    return u == 0x85 || u == 0x2028 || u == 0x2029 || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

namespace {

bool mustShowEscaped(QStringView text, qsizetype i) {
    return breaksLineOrDirection(text[i]) ||
           (text[i].isSurrogate() && edits::isLoneSurrogate(text, i));
}

QString escape(QChar c) {
    return u"\\x{"_s + QString::number(c.unicode(), 16) + u'}';
}

} // namespace

QString shown(const QString& text) {
    QString result;
    qsizetype copied = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (mustShowEscaped(text, i)) {
            result += QStringView(text).sliced(copied, i - copied);
            result += escape(text[i]);
            copied = i + 1;
        }
    }
    if (copied == 0)
        return text;
    return result += QStringView(text).sliced(copied);
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
        if (u == u'\t')
            text += u"\\t"_s;
        else if (u == u'\n')
            text += u"\\n"_s;
        else if (u == u'\r')
            text += u"\\r"_s;
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            text += u"\\x"_s + QString::number(u, 16).rightJustified(2, u'0').toUpper();
        else if (mustShowEscaped(kept, i))
            text += escape(c);
        else
            text += c;
    }
    if (length < input.size())
        text += u"…"_s;
    return text;
}

} // namespace vw::cli
