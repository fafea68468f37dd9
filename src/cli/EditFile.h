#pragma once

#include <QString>

#include <functional>

namespace vw::cli {

// One line of an edit file. The file format is described in docs/cli.md.
struct EditCommand {
    enum class Kind {
        Npc,              // npc CLASS
        Location,         // location NAME
        List,             // list 0|1
        Add,              // add ID TAX
        Insert,           // insert ID TAX before ANCHOR
        Remove,           // remove ID
        Up,               // up ID
        Down,             // down ID
        Top,              // top ID
        Bottom,           // bottom ID
        RemoveEverywhere, // remove-everywhere ID
    };
    int line = 0; // 1-based line of the edit file
    Kind kind = Kind::Npc;
    QString name; // the class or location
    int list = 0;
    QString id;
    QString taxRate;
    QString anchor; // the item an insert goes before
};

// An edit-file line that cannot be used, and why.
struct EditError {
    int line = 0;
    QString message;
};

// Parses the edit file and hands each command to `apply` as soon as its line is read, so an
// edit file of millions of lines is never held as commands; throws EditError at the first line
// that is not a command.
void parseEditFile(QStringView text, const std::function<void(const EditCommand&)>& apply);

} // namespace vw::cli
