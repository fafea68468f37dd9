#pragma once

#include "EditFile.h"
#include "script/ScriptWriter.h"
#include "script/ShopRecord.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <span>
#include <vector>

namespace vw::edits {

// How one sell list differs between two states, item by item. Items correspond by ID (the k-th
// occurrence of an ID to the k-th, in a damaged list that repeats one). Of the items in both,
// the longest run already in order stays; the others count as moved. Positions count from 0.
struct ListDiff {
    struct Added {
        int position; // in the list after
        ItemSlot item;
    };
    struct Removed {
        int position; // in the list before
        ItemSlot item;
    };
    struct Moved {
        int from; // in the list before
        int to;   // in the list after
        QString id;
    };
    // An item in both whose tax rate or extra parts changed.
    struct Changed {
        int position; // in the list after
        QString id;
        QString taxBefore;
        QString taxAfter;
        QStringList extraBefore;
        QStringList extraAfter;
    };

    int record = -1; // index of the record in the records after
    int list = 0;
    std::vector<Added> added;     // in list order
    std::vector<Removed> removed; // in list order
    std::vector<Moved> moved;     // in the order of the list after
    std::vector<Changed> changed; // in the order of the list after

    bool isEmpty() const {
        return added.empty() && removed.empty() && moved.empty() && changed.empty();
    }
};

// True when list `list` holds the same items (IDs, tax rates, extra parts, order) in both.
// Line texts do not count. Items shared with a copy compare by their shared text, so an
// unchanged list costs one look at each item.
bool sameItems(const ShopRecord& before, const ShopRecord& after, int list);

// How list `list` of `before` became that of `after`; empty when sameItems().
ListDiff diffList(const ShopRecord& before, const ShopRecord& after, int list);

// Every list that differs, for two states of the same records (as read and as they stand: the
// same indices, classes and lists), in record and list order. Every item of every list is
// looked at once; diffLists looks only at the lists it is given.
std::vector<ListDiff> diffRecords(const std::vector<ShopRecord>& before,
                                  const std::vector<ShopRecord>& after);
// The same for the lists named (those an edit may have touched), the others taken as unchanged.
std::vector<ListDiff> diffLists(const std::vector<ShopRecord>& before,
                                const std::vector<ShopRecord>& after,
                                std::span<const ListRef> lists);

// A comment for the selection of a class, e.g. its Chinese name; empty for none.
using DescribeClass = std::function<QString(const QString& className)>;

// The shortest commands that turn the lists of `before` into those of `after`. Records
// correspond by class name: the k-th record of a class in one to the k-th in the other, and a
// class that stands more than once is selected with "record k CLASS". Per list: removes, tax
// changes, then from the end of the list after to its start, each item that did not stay put
// right before the item that follows it there (insert, move), or at the end (add, bottom).
// New items name their extra parts ("with") when they differ from the record's template.
// A list before that holds an ID twice takes more commands, but still gives the list after,
// as far as no ID stands in it more often than before.
std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& before,
                                      const std::vector<ShopRecord>& after,
                                      const DescribeClass& describe = {});
// The same for two states of the same records, looking only at the lists named: what the
// window exports and journals, without a look at the lists no edit touched.
std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& before,
                                      const std::vector<ShopRecord>& after,
                                      std::span<const ListRef> lists,
                                      const DescribeClass& describe = {});
// The same with the state before given record by record, so that a caller that keeps only the
// records an edit touched need not copy the others.
std::vector<EditCommand> editCommands(const std::vector<ShopRecord>& after,
                                      const std::function<const ShopRecord&(int)>& before,
                                      std::span<const ListRef> lists,
                                      const DescribeClass& describe = {});

} // namespace vw::edits
