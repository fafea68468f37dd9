#pragma once

#include <QAbstractListModel>
#include <QComboBox>

#include <vector>

namespace vw {

// The entries of a Combo: a text each, and the filter that decides which of them are offered.
// Filling and emptying it are one model change each, not one per entry, so views and assistive
// technology follow thousands of entries at once.
class EntryModel : public QAbstractListModel {
    Q_OBJECT

public:
    struct Entry {
        QString text;
        bool marked = false; // drawn in bold with a dot: it stands for something unwritten
    };

    explicit EntryModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}

    void append(std::vector<Entry> entries);
    void clear();
    const Entry& entry(int index) const { return entries_[static_cast<size_t>(index)]; }
    int size() const { return static_cast<int>(entries_.size()); }
    void setMarked(int index, bool marked);
    void setFilter(const QString& text);
    bool filtering() const { return !filter_.isEmpty(); }
    bool offers(int index) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<Entry> entries_;
    QString filter_;
};

// A drop-down list of texts. What an entry stands for is its owner's to keep, by index: the
// control holds texts only. Choosing an entry, by the user or by setText() with an entry's
// text, raises chosen() at once, even when that entry was already chosen: the selection chains
// rely on this.
class Combo : public QComboBox {
    Q_OBJECT

public:
    using Entry = EntryModel::Entry;

    Combo(const QString& name, const QString& initialText, QWidget* parent = nullptr);

    // Appends an entry and returns its index.
    int addEntry(const QString& text);
    // Appends many entries at once: one insertion for the list, not one per entry.
    void addEntries(std::vector<Entry> entries);
    QString entryText(int index) const;
    int entryCount() const { return entries_.size(); }
    // -1 when no entry is chosen.
    int chosenIndex() const { return currentIndex(); }
    void clearEntries();

    // Selects the first entry with exactly this text and raises chosen(); any other text
    // changes nothing, as a drop-down list holds only its entries.
    void setText(const QString& text);
    // Selects entry `index` and raises chosen(), as a user's choice of it does; for entries that
    // share a text.
    void chooseIndex(int index);

    // Offers only the entries whose text holds `text`, letter case ignored; the others stay
    // where they are (indexes and item data keep their meaning) but cannot be chosen.
    void filterEntries(const QString& text);
    // The first entry the filter offers; -1 when it offers none.
    int firstOfferedEntry() const;
    bool isOffered(int index) const { return entries_.offers(index); }
    // A marked entry shows a dot and bold text; its text, index and item data stay as they are.
    void setEntryMarked(int index, bool marked) { entries_.setMarked(index, marked); }
    bool entryMarked(int index) const;

signals:
    void chosen();

private:
    void hideUnoffered(int from);

    EntryModel entries_;
};

} // namespace vw
