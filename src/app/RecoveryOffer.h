#pragma once

#include <QCoreApplication>
#include <QString>

namespace vw {

class Dialogs;
class StatusPanels;
class Workspace;

// Offers back what a session that ended without writing them left for the script just read:
// recovered, given up, kept as an edit file when the script changed since, or left for later.
// The offer belongs to its script: a script read while the question was open takes none of it.
class RecoveryOffer {
    Q_DECLARE_TR_FUNCTIONS(RecoveryOffer)

public:
    static void offer(Workspace& workspace, Dialogs& dialogs, StatusPanels& status);

private:
    // Edits made on other lines of another file would land in the wrong places: they can
    // only be kept as an edit file.
    static void offerToKeep(Workspace& workspace, Dialogs& dialogs, const QString& journal,
                            int lists);
};

} // namespace vw
