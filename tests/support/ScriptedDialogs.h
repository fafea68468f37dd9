#pragma once

#include "controls/Dialogs.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace vw::test {

// Answers dialogs from a script: records every message box and file request, and returns the
// file names queued by the test (an empty name, as if cancelled, once the queue is empty).
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        QString text;
        MessageIcon icon;
    };

    void message(const QString& text, MessageIcon icon) override {
        messages.push_back({text, icon});
    }

    QString chooseFile(const FileRequest& request) override {
        requests.push_back(request);
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }

    // Asked questions are recorded with the messages; the answer is the next queued choice, or
    // -1 (closed without a choice) once the queue is empty.
    int ask(const QString& text, const QStringList& buttons) override {
        messages.push_back({text, MessageIcon::None});
        questions.push_back(buttons);
        if (choices.empty())
            return -1;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }

    // The typed text is the next queued one, or none (cancelled) once the queue is empty.
    QString askText(const QString& text, const QString&) override {
        messages.push_back({text, MessageIcon::None});
        if (typed.empty())
            return {};
        QString answer = typed.front();
        typed.pop_front();
        return answer;
    }

    QStringList texts() const {
        QStringList list;
        for (const Message& m : messages)
            list.append(m.text);
        return list;
    }

    std::vector<Message> messages;
    std::vector<FileRequest> requests;
    std::deque<QString> answers;
    std::vector<QStringList> questions;
    std::deque<int> choices;
    std::deque<QString> typed;
};

} // namespace vw::test
