#pragma once

#include <QAbstractTableModel>
#include <QTableView>

#include <functional>
#include <vector>

class QMimeData;

namespace vw {

// Byte length of a text for column sizing: 1 for an ASCII character, 2 for any other.
int ansiByteLength(QStringView text);

// The text matrix behind a grid. Row 0 is the header row: it is shown as the horizontal header,
// and model row r shows grid row r + 1.
class GridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit GridModel(QObject* parent = nullptr);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    // Drops the rows beyond n or adds blank ones; at least the header row stays.
    void setRows(int n);
    void setCols(int n);
    const QString& text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    // Empties every cell and unmarks every row, keeping the row and column counts.
    void clearTexts();
    // A marked row stands out: it shows something the user should look at.
    void setRowMarked(int row, bool marked);
    bool rowMarked(int row) const;

    // While quiet, changes raise no signals; endQuiet() tells views everything changed. Filling
    // thousands of rows one signal at a time would cost more than the fill itself.
    void beginQuiet();
    void endQuiet();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit typed into a cell is not stored: it is handed on through cellEdited() for the
    // owner to apply, who then fills the grid anew.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // The column whose cells can be edited in place; -1 for none.
    void setEditableColumn(int col) { editableCol_ = col; }

    // Rows may be dragged out: `make` gives what they carry. Drops of `types` are taken between
    // rows and handed on through dropped(); the model itself never changes by a drop.
    void setDragSource(std::function<QMimeData*()> make) { dragData_ = std::move(make); }
    void setDropTypes(const QStringList& types) { dropTypes_ = types; }

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;
    bool canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                         const QModelIndex& parent) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

signals:
    void cellEdited(int row, int col, const QString& text);
    // What a drop carried, in the first of the drop types it had; `row` is the grid row it
    // lands before (the row count: past the last).
    void dropped(const QString& type, const QByteArray& data, int row);

private:
    void resize(int rows, int cols);

    std::vector<QString> cells_;
    std::vector<bool> marked_;
    int rows_ = 1;
    int cols_ = 0;
    int editableCol_ = -1;
    bool quiet_ = false;
    std::function<QMimeData*()> dragData_;
    QStringList dropTypes_;
};

// A grid of text cells with a current row; grid row 0 is the header and is never current.
class Grid : public QTableView {
    Q_OBJECT

public:
    explicit Grid(const QString& name, QWidget* parent = nullptr);

    int rows() const { return model_.rows(); }
    int cols() const { return model_.cols(); }
    void setRows(int n) { model_.setRows(n); }
    void setCols(int n);
    QString text(int row, int col) const { return model_.text(row, col); }
    void setText(int row, int col, const QString& text) { model_.setText(row, col, text); }
    void clearTexts() { model_.clearTexts(); }

    // The current grid row: row 1 when nothing was chosen yet, 0 when only the header exists.
    int currentRow() const;
    void setCurrentRow(int row);
    // Lets the user select several rows (Shift and Ctrl with click or arrows).
    void allowRowRanges();
    // The selected grid rows in ascending order.
    std::vector<int> selectedRows() const;
    // Selects these grid rows and makes `current` (by default the first of them) the current row.
    void selectRows(const std::vector<int>& rows, int current = -1);
    // Lets the cells of `col` be edited in place (double-click, or F2 or Enter on the current row
    // whichever of its cells is current; Enter commits, Esc cancels); a committed text arrives
    // through cellEdited() once the editor has closed.
    void setEditableColumn(int col);
    // Opens the editor of the current row's editable cell; false when there is none.
    bool editCurrentRow();
    // Rows may be dragged out, carrying what `make` gives.
    void allowDrags(std::function<QMimeData*()> make);
    // Drops of `types` are taken between rows, a line showing where they land.
    void allowDrops(const QStringList& types);

    // The width given for a column's text, in pixels (0 until one is set). A column that fills
    // the pane takes what the others leave, its texts elided, whatever width it is given.
    void setColumnWidthPixels(int col, int width);
    void fillPaneWith(const std::vector<int>& cols);
    int columnWidthPixels(int col) const;

    GridModel& model() { return model_; }

    // Groups many cell changes into one view update. The current row keeps its number as far
    // as the new row count allows, and column widths survive the update.
    class Batch {
    public:
        explicit Batch(Grid& grid);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        Grid& grid_;
        int row_;
    };

protected:
    void keyPressEvent(QKeyEvent* event) override;

signals:
    // Raised when the current grid row becomes another one, not when the current cell only moves
    // within its row or the view takes focus: the tax-rate box must keep what the user typed.
    void currentRowChanged();
    void rowDoubleClicked();
    void cellEdited(int row, int col, const QString& text);
    void dropped(const QString& type, const QByteArray& data, int row);

private:
    void applyWidths();
    void reportCurrentRow();

    GridModel model_;
    int editableCol_ = -1;
    std::vector<int> widths_;
    std::vector<int> filling_;
    int reportedRow_ = -1;
};

} // namespace vw
