#pragma once

#include "sim/ZelSimExport.h"

#include "host/doc/AutosaveFilePresModel.h"

#include <QtCore/QByteArray>
#include <QtCore/QString>

#include <memory>
#include <vector>

class QDateTime;

namespace Zel::Sim {

class SimHost;

// The simulated host's recovered workbook copies, kept in a real folder: the autosave commands.
//
// Each copy is a file of the folder, named as the host names copies (AutosaveNamingUtil), and its
// id is that file name. Beside it, "<copy>.json" records the path of the workbook it was made from
// and the time of its last change, so that a copy of a workbook that was never saved (an original
// path without a folder) and copies of saved ones are told by what was recorded, not guessed from
// names. The folder is read afresh for every command, so a copy that someone else adds or removes
// shows at once.
//
// GetAutosaveFiles lists every copy that has a readable record, ordered by file name; a copy
// without one, and a record without its copy, are left out and logged. DeleteAutosaveFiles removes
// exactly the named copies with their records: an id that names no listed copy of the folder (an
// unknown name, a record, a path that would reach elsewhere) is logged and skipped, and nothing
// else is touched.
//
// The handlers registered on the host hold this object weakly: once it is destroyed they refuse
// every command, so it may go before the host.
class ZELSIM_EXPORT AutosaveArea
{
public:
    // Creates the folder when it is missing.
    AutosaveArea(SimHost& host, const QString& folder);
    ~AutosaveArea();
    AutosaveArea(const AutosaveArea&) = delete;
    AutosaveArea& operator=(const AutosaveArea&) = delete;

    // The folder's absolute path.
    QString Folder() const;

    // Writes a copy of the workbook at `originalPath` (a bare name, or empty, for one never saved)
    // as it stood at `lastModified`, under the first free name, and returns its id. A folder that
    // cannot be written raises std::runtime_error and leaves no half-written copy.
    TString AddCopy(
        const TString& originalPath, const QDateTime& lastModified, const QByteArray& contents = QByteArray());

    // What GetAutosaveFiles answers now.
    std::vector<RefCntPtr<AutosaveFilePresModel const>> Copies() const;
    // The path of the copy with this id, whether or not it exists.
    QString CopyPath(const TString& id) const;
    // Deletes every copy that has a record, with the record; other files stay.
    void Clear();

    static QString RecordSuffix();

    struct Impl;

private:
    std::shared_ptr<Impl> m_impl;
};

} // namespace Zel::Sim
