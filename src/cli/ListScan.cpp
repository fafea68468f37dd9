#include "ListScan.h"

#include "script/LineSource.h"

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace vw::cli {

namespace {

bool has(QStringView line, QStringView keyword) {
    return line.contains(keyword, Qt::CaseInsensitive);
}

// Why a line with "{" is no item line; empty when it is one or has no "{".
QString itemProblem(QStringView line) {
    const qsizetype open = line.indexOf(u'{');
    if (open < 0)
        return {};
    const qsizetype close = line.indexOf(u'}', open + 1);
    if (close < 0)
        return u"no \"}\" after the \"{\""_s;
    const QStringView entry = line.sliced(open + 1, close - open - 1);
    const qsizetype semicolon = entry.indexOf(u';');
    if (trimSpaces(semicolon < 0 ? entry : entry.first(semicolon)).isEmpty())
        return u"empty item ID"_s;
    return {};
}

class Scanner {
public:
    void feed(QStringView raw, int lineNumber) {
        const QStringView test = trimSpaces(raw);
        if (test.startsWith(u"class ")) {
            const qsizetype sep = test.indexOf(u" : ");
            className_ = trimSpaces(sep >= 0 ? test.sliced(6, sep - 6) : test.sliced(6)).toString();
            result.classes.push_back({lineNumber, className_});
            classLine_ = lineNumber;
            inClass_ = true;
            leaveClass();
        }
        if (list_ >= 0 && test.contains(u'{')) {
            const QString problem = itemProblem(test);
            if (problem.isEmpty())
                return;
            result.malformed.push_back({lineNumber, className_, list_, problem});
        }
        if (inClass_ && has(test, u"property_define_begin"))
            inProperty_ = true;
        if (inProperty_ && has(test, u"buyselllist_begin"))
            openList(test, lineNumber);
        if (has(test, u"buyselllist_end"))
            list_ = -1;
        if (has(test, u"property_define_end"))
            inProperty_ = false;
        if (inClass_ && has(test, u"class_end")) {
            inClass_ = false;
            leaveClass();
        }
    }

    ListScanResult result;

private:
    void leaveClass() {
        inProperty_ = false;
        list_ = -1;
        opened_ = {false, false};
    }

    void openList(QStringView test, int lineNumber) {
        int list = -1;
        if (has(test, u"SellList0"))
            list = 0;
        if (has(test, u"SellList1"))
            list = 1;
        if (list < 0)
            return;
        list_ = list;
        if (opened_[list_])
            result.repeated.push_back({lineNumber, classLine_, className_, list_});
        opened_[list_] = true;
    }

    QString className_;
    int classLine_ = 0;
    std::array<bool, 2> opened_{false, false};
    bool inClass_ = false;
    bool inProperty_ = false;
    int list_ = -1;
};

} // namespace

ListScanResult scanLists(QIODevice& script) {
    Scanner scanner;
    LineSource lines(script);
    QStringView line;
    while (lines.next(line))
        scanner.feed(line, static_cast<int>(lines.linesRead()));
    scanner.result.readFailed = lines.failed();
    scanner.result.contentHash = lines.contentHash();
    return std::move(scanner.result);
}

} // namespace vw::cli
