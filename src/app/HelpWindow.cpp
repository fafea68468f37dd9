#include "HelpWindow.h"

#include "controls/AppInfo.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace vw {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), browser_(new QTextBrowser(this)), findBox_(new QLineEdit(this)) {
    setObjectName(u"HelpWindow"_s);
    browser_->setOpenExternalLinks(true);
    findBox_->setObjectName(u"helpFind"_s);
    findBox_->setPlaceholderText(tr("查找"));
    findBox_->setClearButtonEnabled(true);
    findBox_->setMaximumWidth(240);

    auto* tools = new QToolBar(this);
    QAction* back = tools->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("后退"),
                                     browser_, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = tools->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("前进"),
                                        browser_, &QTextBrowser::forward);
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    tools->addSeparator();
    tools->addWidget(findBox_);
    QAction* previous =
        tools->addAction(tr("上一个"), this, [this] { find(QTextDocument::FindBackward); });
    previous->setShortcut(QKeySequence::FindPrevious);
    QAction* next = tools->addAction(tr("下一个"), this, [this] { find({}); });
    next->setShortcut(QKeySequence::FindNext);
    notFound_ = tools->addWidget(new QLabel(tr("未找到"), this));
    notFound_->setVisible(false);
    connect(findBox_, &QLineEdit::returnPressed, this, [this] { find({}); });
    connect(findBox_, &QLineEdit::textEdited, notFound_, [this] { notFound_->setVisible(false); });

    auto* findShortcut = new QAction(this);
    findShortcut->setShortcut(QKeySequence::Find);
    connect(findShortcut, &QAction::triggered, findBox_, [this] {
        findBox_->setFocus(Qt::ShortcutFocusReason);
        findBox_->selectAll();
    });
    addAction(findShortcut);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tools);
    layout->addWidget(browser_, 1);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    });
    // Within the screen the window opens on: a laptop's 768 rows leave less than 640 once the
    // panel and the title bar have theirs.
    const QRect room = screen() ? screen()->availableGeometry() : QRect(0, 0, 860, 640);
    resize(std::min(860, room.width() - 16), std::min(640, room.height() - 48));
}

void HelpWindow::showPage(const QString& page) {
    const QUrl url = QUrl::fromLocalFile(page);
    if (browser_->source() == url)
        browser_->reload();
    else
        browser_->setSource(url);
}

void HelpWindow::find(QTextDocument::FindFlags flags) {
    const QString text = findBox_->text();
    if (text.isEmpty())
        return;
    bool found = browser_->find(text, flags);
    if (!found) {
        // Past the last match the search goes round to the other end of the page.
        QTextCursor cursor = browser_->textCursor();
        cursor.movePosition(flags & QTextDocument::FindBackward ? QTextCursor::End
                                                                : QTextCursor::Start);
        browser_->setTextCursor(cursor);
        found = browser_->find(text, flags);
    }
    notFound_->setVisible(!found);
}

} // namespace vw
