#include "Json.h"

#include "Echo.h"
#include "editor/EditFile.h"

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

QString jsonQuoted(QStringView text) {
    QString quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(u'"');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'"':
            quoted.append(u"\\\""_s);
            break;
        case u'\\':
            quoted.append(u"\\\\"_s);
            break;
        case u'\n':
            quoted.append(u"\\n"_s);
            break;
        case u'\r':
            quoted.append(u"\\r"_s);
            break;
        case u'\t':
            quoted.append(u"\\t"_s);
            break;
        default:
            // A lone surrogate as its escape: UTF-8 cannot carry it, and JSON can. A reader
            // that takes the output apart line by line meets no line break inside a string.
            if (c.unicode() < 0x20 || breaksLineOrDirection(c) ||
                (c.isSurrogate() && edits::isLoneSurrogate(text, i)))
                quoted.append(u"\\u"_s + QString::number(c.unicode(), 16).rightJustified(4, u'0'));
            else
                quoted.append(c);
        }
    }
    quoted.append(u'"');
    return quoted;
}

QString jsonStringArray(const QStringList& texts) {
    QString array(u'[');
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (i > 0)
            array.append(u',');
        array.append(jsonQuoted(texts[i]));
    }
    return array.append(u']');
}

} // namespace vw::cli
