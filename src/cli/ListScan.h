#pragma once

#include <QIODevice>
#include <QString>

#include <vector>

namespace vw::cli {

// A line inside an open sell list that has a "{" but that the script reader does not take
// as an item, so the server would meet it in the middle of a list.
struct MalformedLine {
    int line = 0; // 1-based
    QString className;
    int list = 0;
    QString problem;
};

// Where each class starts, to name a record's place in findings.
struct ClassLine {
    int line = 0; // 1-based
    QString className;
};

// A list opened a second time within one class: a damaged file whose blocks of that list the
// reader and writer cannot both follow.
struct RepeatedList {
    int line = 0;      // 1-based line of the second opening
    int classLine = 0; // 1-based line of its class header
    QString className;
    int list = 0;
};

struct ListScanResult {
    std::vector<MalformedLine> malformed;
    std::vector<ClassLine> classes;
    std::vector<RepeatedList> repeated;
    bool readFailed = false;
    quint64 contentHash = 0; // of every byte read, to prove the reader saw the same text
};

// A second, plain pass over the script's lines that follows the reader's structure rules:
// "class NAME" opens a class, property_define_begin/_end its property section, a
// buyselllist_begin line naming SellList0 or SellList1 inside the section opens a list,
// buyselllist_end and class_end close it (keywords in any letter case). Inside an open list
// a line with "{" is malformed when no "}" follows the "{" or the text before the first ";"
// between them is empty. Item lines never change the structure. A list opened again before
// its class ends counts as repeated, however the first opening ended.
ListScanResult scanLists(QIODevice& script);

} // namespace vw::cli
