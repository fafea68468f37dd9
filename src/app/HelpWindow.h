#pragma once

#include <QTextDocument>
#include <QWidget>

class QAction;
class QLineEdit;
class QTextBrowser;

namespace vw {

// The program's own help viewer, for desktops where nothing else shows the help page: the page
// with back and forward through its links and a find box.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `page`, a local HTML file, as it is now.
    void showPage(const QString& page);
    QTextBrowser& browser() { return *browser_; }
    QLineEdit& findBox() { return *findBox_; }

private:
    void find(QTextDocument::FindFlags flags);

    QTextBrowser* browser_;
    QLineEdit* findBox_;
    QAction* notFound_ = nullptr;
};

} // namespace vw
