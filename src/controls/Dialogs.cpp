#include "Dialogs.h"

#include "AppInfo.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace vw {

namespace {

// A box of a short text would be narrower than its title bar needs for the title and the
// frame's buttons, and the window manager cuts the title.
void fitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) * 2 + 160;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

void WidgetDialogs::message(const QString& text, MessageIcon icon) {
    QMessageBox box(icon == MessageIcon::Information ? QMessageBox::Information
                                                     : QMessageBox::NoIcon,
                    applicationTitle(), text, QMessageBox::Ok, parent_);
    fitTitle(box);
    box.exec();
}

QString WidgetDialogs::chooseFile(const FileRequest& request) {
    QFileDialog dialog(parent_, request.title, request.folder);
    const QStringList filters = toQtFilter(request.filter).split(QStringLiteral(";;"));
    dialog.setNameFilters(filters);
    if (request.mode == FileRequest::Mode::Open) {
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(filterSuffix(filters.value(0)));
        QObject::connect(
            &dialog, &QFileDialog::filterSelected, &dialog,
            [&dialog](const QString& chosen) { dialog.setDefaultSuffix(filterSuffix(chosen)); });
        if (!request.name.isEmpty())
            dialog.selectFile(request.name);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString filterSuffix(const QString& qtFilter) {
    const qsizetype open = qtFilter.lastIndexOf(u'(');
    const qsizetype close = qtFilter.lastIndexOf(u')');
    const QString patterns =
        open >= 0 && close > open ? qtFilter.mid(open + 1, close - open - 1) : qtFilter;
    const QStringList each = patterns.split(u' ', Qt::SkipEmptyParts);
    if (each.size() != 1 || !each[0].startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = each[0].mid(2);
    return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

int WidgetDialogs::ask(const QString& text, const QStringList& buttons) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::NoButton, parent_);
    fitTitle(box);
    std::vector<QAbstractButton*> added;
    for (const QString& caption : buttons)
        added.push_back(box.addButton(caption, QMessageBox::ActionRole));
    if (!added.empty()) {
        box.setDefaultButton(static_cast<QPushButton*>(added.front()));
        box.setEscapeButton(added.back());
    }
    box.exec();
    const auto chosen = std::find(added.begin(), added.end(), box.clickedButton());
    return chosen == added.end() ? -1 : static_cast<int>(chosen - added.begin());
}

QString toQtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        filters.append(description.contains(u'(')
                           ? description
                           : description + QStringLiteral(" (") + parts[i + 1] + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString WidgetDialogs::askText(const QString& text, const QString& initial) {
    return QInputDialog::getText(parent_, applicationTitle(), text, QLineEdit::Normal, initial);
}

} // namespace vw
