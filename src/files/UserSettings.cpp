#include "UserSettings.h"

#include <QStandardPaths>

#include <algorithm>
#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace vw {

namespace {

using Value = UserSettings::Value;
using Values = UserSettings::Values;

constexpr qsizetype Unbounded = std::numeric_limits<qsizetype>::max();

qsizetype listBound(QStringView key) {
    return key == settingKeys::recent ? UserSettings::RecentCount : Unbounded;
}

// --- Reading, by the rules QSettings reads its INI files with.

bool isLineEnd(char c) {
    return c == '\n' || c == '\r';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || isLineEnd(c);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

int octValue(char c) {
    return c >= '0' && c <= '7' ? c - '0' : -1;
}

// The next logical line from `at`: a quoted value and an escaped line end run on over line
// ends, a `;` at a line's start makes it a comment and one outside quotes ends the line.
// Returns false at the end of the text.
bool nextLine(QByteArrayView text, qsizetype& at, QByteArrayView& line, qsizetype& equals) {
    const qsizetype size = text.size();
    qsizetype start = at;
    while (start < size && isSpace(text[start]))
        ++start;
    equals = -1;
    bool quoted = false;
    qsizetype i = start;
    while (i < size) {
        const char c = text[i++];
        if (c == '=') {
            if (!quoted && equals == -1)
                equals = i - 1 - start;
        } else if (isLineEnd(c)) {
            if (i == start + 1) {
                ++start;
            } else if (!quoted) {
                --i;
                break;
            }
        } else if (c == '\\') {
            if (i < size) {
                const char escaped = text[i++];
                if (i < size && isLineEnd(escaped) && isLineEnd(text[i]) && text[i] != escaped)
                    ++i;
            }
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ';') {
            if (i == start + 1) {
                while (i < size && !isLineEnd(text[i]))
                    ++i;
                while (i < size && isSpace(text[i]))
                    ++i;
                start = i;
            } else if (!quoted) {
                --i;
                break;
            }
        }
    }
    at = i;
    line = text.sliced(start, i - start);
    return !line.isEmpty();
}

// A key or a section name: `\` stands for `/`, `%XX` and `%UXXXX` for a character.
QString unescapedKey(QByteArrayView key) {
    const QString decoded = QString::fromUtf8(key);
    QString result;
    result.reserve(decoded.size());
    for (qsizetype i = 0; i < decoded.size();) {
        const QChar c = decoded[i];
        if (c == u'\\') {
            result += u'/';
            ++i;
            continue;
        }
        if (c == u'%' && i + 1 < decoded.size()) {
            const bool wide = decoded[i + 1] == u'U';
            const qsizetype first = i + (wide ? 2 : 1);
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const ushort code = first + digits <= decoded.size()
                                    ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16)
                                    : 0;
            if (ok) {
                result += QChar(code);
                i = first + digits;
                continue;
            }
        }
        result += c;
        ++i;
    }
    return result;
}

void chopTrailingSpaces(QString& text, qsizetype limit) {
    qsizetype end = text.size();
    while (end > limit && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    text.truncate(end);
}

// A value: one text, or a list where commas outside quotes part it. Quotes keep spaces at the
// ends; backslash escapes stand for characters, by name, in hex or in octal. Stops reading a
// list at `bound` items.
Value unescapedValue(QByteArrayView text, qsizetype bound) {
    Value value;
    QString current;
    bool inQuotes = false;
    bool quoted = false;
    qsizetype i = 0;
    const qsizetype size = text.size();
    const auto skipSpaces = [&] {
        while (i < size && (text[i] == ' ' || text[i] == '\t'))
            ++i;
    };
    // Spaces before this point came escaped or quoted: they stay.
    qsizetype keep = 0;
    skipSpaces();
    while (i < size) {
        const char c = text[i];
        if (c == '\\') {
            if (++i >= size)
                break;
            const char e = text[i++];
            static constexpr char Named[][2] = {{'a', '\a'}, {'b', '\b'},  {'f', '\f'}, {'n', '\n'},
                                                {'r', '\r'}, {'t', '\t'},  {'v', '\v'}, {'"', '"'},
                                                {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
            const auto* named = std::find_if(std::begin(Named), std::end(Named),
                                             [e](const char(&pair)[2]) { return pair[0] == e; });
            if (named != std::end(Named)) {
                current += QLatin1Char((*named)[1]);
            } else if (e == 'x' || octValue(e) >= 0) {
                const int base = e == 'x' ? 16 : 8;
                char16_t code = e == 'x' ? 0 : static_cast<char16_t>(octValue(e));
                bool any = e != 'x';
                for (int digit = 0;
                     i < size && (digit = base == 16 ? hexValue(text[i]) : octValue(text[i])) >= 0;
                     ++i) {
                    code = static_cast<char16_t>(code * base + digit);
                    any = true;
                }
                if (any)
                    current += QChar(code);
            } else if (isLineEnd(e) && i < size && isLineEnd(text[i]) && text[i] != e) {
                ++i;
            }
            keep = current.size();
        } else if (c == '"') {
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipSpaces();
                keep = current.size();
            }
        } else if (c == ',' && !inQuotes) {
            if (!quoted)
                chopTrailingSpaces(current, keep);
            value.list = true;
            value.items.append(current);
            if (value.items.size() >= bound)
                return value;
            current.clear();
            quoted = false;
            ++i;
            skipSpaces();
            keep = 0;
        } else {
            qsizetype j = i + 1;
            while (j < size && text[j] != '\\' && text[j] != '"' && text[j] != ',')
                ++j;
            current += QString::fromUtf8(text.sliced(i, j - i));
            i = j;
        }
    }
    if (!quoted)
        chopTrailingSpaces(current, keep);
    value.items.append(current);
    return value;
}

// A text the file marks: `@@` stands for one `@`, `@Invalid()` for none, `@String(...)` for
// its contents; other marked values are not texts. False for none.
bool unmarked(QString& text) {
    if (!text.startsWith(u'@'))
        return true;
    if (text.startsWith(u"@@")) {
        text.remove(0, 1);
        return true;
    }
    if (text.startsWith(u"@String(") && text.endsWith(u')')) {
        text = text.sliced(8).chopped(1);
        return true;
    }
    return false;
}

void addValue(Values& values, const QString& key, QByteArrayView text) {
    Value value = unescapedValue(text, listBound(key));
    if (!value.list) {
        if (!unmarked(value.items.front())) {
            value.items.clear();
            value.list = true;
        }
    } else {
        for (QString& item : value.items) {
            if (!unmarked(item))
                item.clear();
        }
    }
    values[key] = std::move(value);
}

Values parse(QByteArrayView text) {
    Values values;
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    QString section;
    qsizetype at = 0;
    QByteArrayView line;
    qsizetype equals = -1;
    while (nextLine(text, at, line, equals)) {
        if (line.startsWith('[')) {
            const qsizetype close = line.indexOf(']');
            const QByteArrayView name =
                (close == -1 ? line.sliced(1) : line.sliced(1, close - 1)).trimmed();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.sliced(1)) + u'/';
            else
                section = unescapedKey(name) + u'/';
        } else if (equals != -1) {
            addValue(values, section + unescapedKey(line.first(equals).trimmed()),
                     line.sliced(equals + 1));
        }
    }
    return values;
}

// --- Writing, as QSettings writes.

void appendEscapedKey(QByteArray& out, QStringView key) {
    for (const QChar c : key) {
        const char16_t code = c.unicode();
        if (code == u'/') {
            out += '\\';
        } else if ((code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') ||
                   (code >= u'0' && code <= u'9') || code == u'_' || code == u'-' || code == u'.') {
            out += static_cast<char>(code);
        } else if (code <= 0xFF) {
            out += '%' + QByteArray::number(code, 16).rightJustified(2, '0').toUpper();
        } else {
            out += "%U" + QByteArray::number(code, 16).rightJustified(4, '0').toUpper();
        }
    }
}

void appendEscapedText(QByteArray& out, const QString& text) {
    // A text that starts with `@` would read as a marked value.
    const QString marked = text.startsWith(u'@') ? u'@' + text : text;
    const qsizetype start = out.size();
    bool quotes = false;
    // After a hex escape a hex digit would be read as part of it: it is escaped too.
    bool afterHex = false;
    qsizetype plain = 0;
    const auto flush = [&](qsizetype end) {
        out += QStringView(marked).sliced(plain, end - plain).toUtf8();
    };
    for (qsizetype i = 0; i < marked.size(); ++i) {
        const char16_t c = marked[i].unicode();
        quotes = quotes || c == u';' || c == u',' || c == u'=';
        const bool hexDigit = c < 0x80 && hexValue(static_cast<char>(c)) >= 0;
        const char* named = c == u'\a'   ? "\\a"
                            : c == u'\b' ? "\\b"
                            : c == u'\f' ? "\\f"
                            : c == u'\n' ? "\\n"
                            : c == u'\r' ? "\\r"
                            : c == u'\t' ? "\\t"
                            : c == u'\v' ? "\\v"
                            : c == u'"'  ? "\\\""
                            : c == u'\\' ? "\\\\"
                                         : nullptr;
        const bool hex = (afterHex && hexDigit) || (!named && c < 0x20);
        if (!named && !hex) {
            afterHex = false;
            continue;
        }
        flush(i);
        plain = i + 1;
        if (hex)
            out += "\\x" + QByteArray::number(c, 16);
        else
            out += named;
        afterHex = hex;
    }
    flush(marked.size());
    if (quotes || (out.size() > start && (out[start] == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

QByteArray serialize(const Values& values) {
    // Sections in order, each with its keys; keys without one go to [General].
    std::map<QString, std::vector<std::pair<QStringView, const Value*>>> sections;
    for (const auto& [key, value] : values) {
        const qsizetype slash = key.indexOf(u'/');
        const QString section = slash == -1 ? QString() : key.first(slash);
        sections[section].emplace_back(QStringView(key).sliced(slash + 1), &value);
    }
    QByteArray out;
    for (const auto& [section, keys] : sections) {
        if (!out.isEmpty())
            out += '\n';
        if (section.isEmpty()) {
            out += "[General]";
        } else if (section.compare(u"general", Qt::CaseInsensitive) == 0) {
            out += "[%General]";
        } else {
            out += '[';
            appendEscapedKey(out, section);
            out += ']';
        }
        out += '\n';
        for (const auto& [key, value] : keys) {
            appendEscapedKey(out, key);
            out += '=';
            if (value->list && value->items.isEmpty())
                out += "@Invalid()";
            for (qsizetype i = 0; i < value->items.size(); ++i) {
                if (i > 0)
                    out += ", ";
                appendEscapedText(out, value->items[i]);
            }
            out += '\n';
        }
    }
    return out;
}

} // namespace

UserSettings::UserSettings(QString path) : path_(std::move(path)) {}

QString UserSettings::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
           u"/vendwright.conf"_s;
}

UserSettings::Loaded UserSettings::load() {
    using Found = files::ReadResult::Status;
    Loaded loaded;
    values_.clear();
    changed_.clear();
    const files::ReadResult read = files::readFile(path_, MaxFileSize);
    loaded.found = read.status;
    loaded.detail = read.detail;
    bool occupied = false;
    switch (read.status) {
    case Found::Ok:
        values_ = parse(read.bytes);
        break;
    case Found::Missing:
        break;
    case Found::NotRegular:
    case Found::TooLarge:
        if (const files::SetAsideResult aside = files::setAside(path_); aside.ok) {
            loaded.status = Loaded::Status::SetAside;
            loaded.setAsideAs = aside.newPath;
        } else {
            loaded.status = Loaded::Status::Refused;
            loaded.detail = aside.detail;
            occupied = true;
        }
        break;
    case Found::Unreadable:
        loaded.status = Loaded::Status::Unreadable;
        break;
    }
    kept_ = !occupied && files::canCreateAt(path_);
    return loaded;
}

QString UserSettings::string(QStringView key) const {
    const auto found = values_.find(key.toString());
    return found != values_.end() && found->second.items.size() == 1 ? found->second.items.front()
                                                                     : QString();
}

QStringList UserSettings::stringList(QStringView key) const {
    const auto found = values_.find(key.toString());
    return found != values_.end() ? found->second.items : QStringList();
}

void UserSettings::change(QStringView key, Value value) {
    values_[key.toString()] = std::move(value);
    changed_[key.toString()] = false;
}

void UserSettings::setString(QStringView key, const QString& value) {
    change(key, {{value}, false});
}

void UserSettings::setStringList(QStringView key, const QStringList& values) {
    // A list of one is written as a text, and so reads back as one.
    change(key, {values, values.size() != 1});
}

void UserSettings::remove(QStringView key) {
    values_.erase(key.toString());
    changed_[key.toString()] = true;
}

QStringList UserSettings::recentScripts() const {
    QStringList recent = stringList(settingKeys::recent);
    recent.removeAll(QString());
    return recent.mid(0, RecentCount);
}

void UserSettings::rememberScript(const QString& path) {
    setString(settingKeys::script, path);
    QStringList recent = recentScripts();
    recent.removeAll(path);
    recent.prepend(path);
    setStringList(settingKeys::recent, recent.mid(0, RecentCount));
}

void UserSettings::forgetRecent(const QString& path) {
    QStringList recent = recentScripts();
    if (recent.removeAll(path) > 0)
        setStringList(settingKeys::recent, recent);
}

files::SaveResult UserSettings::save() {
    // What another session saved meanwhile stays, under this session's changes.
    const files::ReadResult disk = files::readFile(path_, MaxFileSize);
    if (disk.status == files::ReadResult::Status::Ok) {
        Values merged = parse(disk.bytes);
        for (const auto& [key, removed] : changed_) {
            if (removed)
                merged.erase(key);
            else
                merged[key] = values_.at(key);
        }
        values_ = std::move(merged);
    }
    const files::SaveResult saved = files::saveFile(path_, serialize(values_));
    kept_ = saved.ok();
    if (kept_)
        changed_.clear();
    return saved;
}

} // namespace vw
