#include "AutosaveArea.h"

#include "SimAreaBinding.h"

#include "host/commands/AutosaveCommands.h"
#include "host/doc/AutosaveNamingUtil.h"
#include "host/doc/HostLog.h"

#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QJsonDocument>
#include <QtCore/QJsonObject>
#include <QtCore/QSaveFile>

namespace Zel::Sim {

namespace Cmds = Zel::Commands::Autosave;

namespace {

const QString kRecordSuffix = QStringLiteral(".json");
const QString kOriginalPathKey = QStringLiteral("originalPath");
const QString kLastModifiedKey = QStringLiteral("lastModified");
const QString kDefaultExtension = QStringLiteral("zwb");
const QString kUntitledName = QStringLiteral("Untitled");

void Log(const QString& text)
{
    LogMessage(TString(QStringLiteral("Autosave: ") + text));
}

bool WriteFile(const QString& path, const QByteArray& contents)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size() && file.commit();
}

} // namespace

struct AutosaveArea::Impl
{
    explicit Impl(const QString& path)
        : folder(QDir(path).absolutePath())
    {
        // An empty path would quietly mean the working directory.
        if (path.isEmpty())
            Refuse(QStringLiteral("the autosave folder has no path"));
        if (!QDir().mkpath(folder))
            Refuse(QStringLiteral("cannot create the autosave folder ") + folder);
    }

    QString PathOf(const QString& fileName) const { return QDir(folder).filePath(fileName); }

    // Whether `id` is the bare name of a copy that GetAutosaveFiles lists. Anything with a folder
    // in it is refused before the disk is asked, so no id reaches outside the folder.
    bool IsListedCopy(const QString& id) const
    {
        if (id.isEmpty() || id.contains(QLatin1Char('/')) || id.contains(QLatin1Char('\\')) || id == QLatin1String(".")
            || id == QLatin1String("..") || id.endsWith(kRecordSuffix))
            return false;
        const QFileInfo copy(PathOf(id));
        const QFileInfo record(PathOf(id + kRecordSuffix));
        return copy.isFile() && !copy.isSymLink() && record.isFile() && !record.isSymLink();
    }

    // The copy's record, or null (logged) when it is missing or unreadable.
    RefCntPtr<AutosaveFilePresModel const> Read(const QFileInfo& copy) const
    {
        QFile recordFile(copy.absoluteFilePath() + kRecordSuffix);
        if (!recordFile.open(QIODevice::ReadOnly)) {
            Log(QStringLiteral("%1 has no record; left out").arg(copy.fileName()));
            return {};
        }
        const QJsonDocument document = QJsonDocument::fromJson(recordFile.readAll());
        const QJsonObject record = document.object();
        const QJsonValue original = record.value(kOriginalPathKey);
        const QDateTime lastModified
            = QDateTime::fromString(record.value(kLastModifiedKey).toString(), Qt::ISODateWithMs);
        if (!document.isObject() || !original.isString() || !lastModified.isValid()) {
            Log(QStringLiteral("the record of %1 is unreadable; left out").arg(copy.fileName()));
            return {};
        }
        auto file = MakeRefCnt<AutosaveFilePresModel>();
        file->SetAutosaveFileId(TString(copy.fileName()));
        file->SetOriginalFilePath(TString(original.toString()));
        file->SetRecoveredFilePath(TString(copy.absoluteFilePath()));
        file->SetLastModified(DateTime::FromQDateTime(lastModified));
        return file;
    }

    std::vector<RefCntPtr<AutosaveFilePresModel const>> List() const
    {
        std::vector<RefCntPtr<AutosaveFilePresModel const>> files;
        const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.fileName().endsWith(kRecordSuffix)) {
                if (!QFileInfo::exists(entry.absoluteFilePath().chopped(kRecordSuffix.size())))
                    Log(QStringLiteral("%1 records a copy that is gone; left out").arg(entry.fileName()));
                continue;
            }
            if (RefCntPtr<AutosaveFilePresModel const> file = Read(entry))
                files.push_back(std::move(file));
        }
        return files;
    }

    void Delete(const std::vector<TString>& ids) const
    {
        for (const TString& id : ids) {
            const QString name = id.ToQString();
            if (!IsListedCopy(name)) {
                Log(QStringLiteral("no recovered copy \"%1\" in %2; skipped").arg(name, folder));
                continue;
            }
            // The copy first: a record left behind alone is never listed, a copy without its
            // record would be.
            if (!QFile::remove(PathOf(name))) {
                Log(QStringLiteral("could not delete %1; kept").arg(name));
                continue;
            }
            if (!QFile::remove(PathOf(name + kRecordSuffix)))
                Log(QStringLiteral("could not delete the record of %1").arg(name));
        }
    }

    TString Add(const TString& originalPath, const QDateTime& lastModified, const QByteArray& contents)
    {
        if (!lastModified.isValid())
            Refuse(QStringLiteral("a recovered copy needs a valid time of last change"));
        const TPath original(originalPath);
        TString name = original.Stem();
        if (name.empty())
            name = TString(kUntitledName);
        QString extension = QFileInfo(original.ToQString()).suffix();
        if (AutosaveNamingUtil::IsUnsavedWorkbook(original) || extension.isEmpty())
            extension = kDefaultExtension;

        QString fileName;
        for (int number = 0;; ++number) {
            fileName = AutosaveNamingUtil::MakeRecoveredFileName(name, number, TString(extension)).ToQString();
            if (!QFileInfo::exists(PathOf(fileName)) && !QFileInfo::exists(PathOf(fileName + kRecordSuffix)))
                break;
        }

        QJsonObject record;
        record.insert(kOriginalPathKey, originalPath.ToQString());
        record.insert(kLastModifiedKey, lastModified.toUTC().toString(Qt::ISODateWithMs));
        const QByteArray body = contents.isEmpty()
            ? QStringLiteral("Recovered copy of %1\n").arg(originalPath.ToQString()).toUtf8()
            : contents;
        if (!WriteFile(PathOf(fileName), body))
            Refuse(QStringLiteral("cannot write ") + PathOf(fileName));
        if (!WriteFile(PathOf(fileName + kRecordSuffix), QJsonDocument(record).toJson())) {
            QFile::remove(PathOf(fileName));
            Refuse(QStringLiteral("cannot write the record of ") + PathOf(fileName));
        }
        return TString(fileName);
    }

    const QString folder;
};

AutosaveArea::AutosaveArea(SimHost& host, const QString& folder)
    : m_impl(std::make_shared<Impl>(folder))
{
    const SimAreaBinding<Impl> area(host, m_impl, QStringLiteral("autosave area"));
    area.Handle<Cmds::GetAutosaveFiles>(
        [](Impl& impl, const SimArguments<Cmds::GetAutosaveFiles>&, SimResults<Cmds::GetAutosaveFiles>& out) {
            out.Set<Cmds::AutosaveFiles>(impl.List());
        });
    area.Handle<Cmds::DeleteAutosaveFiles>([](Impl& impl, const SimArguments<Cmds::DeleteAutosaveFiles>& args) {
        impl.Delete(args.Get<Cmds::AutosaveFileIds>());
    });
}

AutosaveArea::~AutosaveArea() = default;

QString AutosaveArea::Folder() const
{
    return m_impl->folder;
}

TString AutosaveArea::AddCopy(const TString& originalPath, const QDateTime& lastModified, const QByteArray& contents)
{
    return m_impl->Add(originalPath, lastModified, contents);
}

std::vector<RefCntPtr<AutosaveFilePresModel const>> AutosaveArea::Copies() const
{
    return m_impl->List();
}

QString AutosaveArea::CopyPath(const TString& id) const
{
    return m_impl->PathOf(id.ToQString());
}

void AutosaveArea::Clear()
{
    std::vector<TString> ids;
    for (const RefCntPtr<AutosaveFilePresModel const>& file : m_impl->List())
        ids.push_back(file->GetAutosaveFileId());
    m_impl->Delete(ids);
}

QString AutosaveArea::RecordSuffix()
{
    return kRecordSuffix;
}

} // namespace Zel::Sim
