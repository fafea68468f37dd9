#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace vw {

enum class MessageIcon { None, Information };

struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    // "description|pattern|description|pattern", as the program's filters are written. A name
    // typed without a suffix under a filter of one suffix ("*.obj") takes that suffix.
    QString filter;
    QString folder; // where the dialog starts; empty for the system's choice
    QString name;   // the name a save dialog suggests
};

// Every message box and file dialog of the program goes through this interface, so window
// tests can answer them with a scripted double.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A modal box with one OK button and the application title as caption.
    virtual void message(const QString& text, MessageIcon icon = MessageIcon::None) = 0;
    // The chosen file name, or an empty string when the user cancelled.
    virtual QString chooseFile(const FileRequest& request) = 0;
    // A question answered by one of `buttons`: the index of the one chosen, or -1 when the box
    // was closed without a choice. The last button is the one Esc stands for.
    virtual int ask(const QString& text, const QStringList& buttons) = 0;
    // A line of text the user types, `initial` filled in; empty when the user cancelled.
    virtual QString askText(const QString& text, const QString& initial) = 0;
};

// The real dialogs: QMessageBox and QFileDialog over the given window.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}
    void message(const QString& text, MessageIcon icon) override;
    QString chooseFile(const FileRequest& request) override;
    int ask(const QString& text, const QStringList& buttons) override;
    QString askText(const QString& text, const QString& initial) override;

private:
    QWidget* parent_;
};

// "A(*.a)|*.a|B|*.b" → "A(*.a);;B (*.b)": Qt reads the patterns from a filter's parentheses.
QString toQtFilter(const QString& filter);
// The suffix a name takes under a filter of one pattern such as "*.obj" ("obj"); empty for
// "*.*" and for patterns of several suffixes.
QString filterSuffix(const QString& qtFilter);

} // namespace vw
