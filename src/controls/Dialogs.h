#pragma once

#include <QString>

class QWidget;

namespace vw {

enum class MessageIcon { None, Information };

struct FileRequest {
    enum class Mode { Open, Save };
    Mode mode = Mode::Open;
    QString title;
    // "description|pattern|description|pattern", as the program's filters are written.
    QString filter;
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
};

// The real dialogs: QMessageBox and QFileDialog over the given window.
class WidgetDialogs : public Dialogs {
public:
    explicit WidgetDialogs(QWidget* parent) : parent_(parent) {}
    void message(const QString& text, MessageIcon icon) override;
    QString chooseFile(const FileRequest& request) override;

private:
    QWidget* parent_;
};

// "A(*.a)|*.a|B|*.b" → "A(*.a);;B (*.b)": Qt reads the patterns from a filter's parentheses.
QString toQtFilter(const QString& filter);

} // namespace vw
