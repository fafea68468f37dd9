#pragma once

#include "workspace/Workspace.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vw {

// 选项: the interface language, kept item lines, the tax rate of added items and whether a start
// reads the script read last. The language applies at the next start; the others at once.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    OptionsDialog(const Workspace::Options& options, QWidget* parent = nullptr);

    Workspace::Options options() const;

private:
    QComboBox* language_;
    QCheckBox* keepLines_;
    QLineEdit* taxRate_;
    QCheckBox* readLast_;
};

} // namespace vw
