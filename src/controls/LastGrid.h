#pragma once

#include "Grid.h"

#include <QApplication>
#include <QObject>

namespace vw {

// Which of two grids the user was in last (the first until the user enters one): the commands
// that take "the selected item" take it from there.
class LastGrid : public QObject {
public:
    LastGrid(const Grid& first, const Grid& second)
        : first_(first), second_(second), last_(&first) {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now == &first_ || now == &second_)
                last_ = static_cast<const Grid*>(now);
        });
    }
    bool isFirst() const { return last_ == &first_; }

private:
    const Grid& first_;
    const Grid& second_;
    const Grid* last_;
};

} // namespace vw
