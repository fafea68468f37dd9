#pragma once

#include <QComboBox>

#include <vector>

namespace vw {

// A drop-down list whose entries carry a 32-bit item data each. Choosing an entry, by the user
// or by setText() with an entry's text, raises chosen() at once, even when that entry was
// already chosen: the selection chains and the redisplay after every edit rely on this.
class Combo : public QComboBox {
    Q_OBJECT

public:
    Combo(const QString& name, const QString& initialText, QWidget* parent = nullptr);

    struct Entry {
        QString text;
        qint32 data = 0;
    };

    // Appends an entry and returns its index.
    int addEntry(const QString& text, qint32 itemData = 0);
    // Appends many entries at once: one insertion for the list, not one per entry.
    void addEntries(const std::vector<Entry>& entries);
    qint32 entryData(int index) const;
    QString entryText(int index) const { return itemText(index); }
    int entryCount() const { return count(); }
    // -1 when no entry is chosen.
    int chosenIndex() const { return currentIndex(); }
    void clearEntries() { clear(); }

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

signals:
    void chosen();

private:
    void offer(int index, bool offered);

    QString filter_;
};

} // namespace vw
