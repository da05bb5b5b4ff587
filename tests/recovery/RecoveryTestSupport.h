#pragma once

#include "host/doc/AutosaveFilePresModel.h"
#include "tests/support/TestHelpers.h"

#include <QtCore/QDateTime>
#include <QtTest/QTest>

#include <vector>

namespace RecoveryTest {

using ZelTest::CatchLogicException;

using Files = std::vector<RefCntPtr<AutosaveFilePresModel const>>;

inline RefCntPtr<AutosaveFilePresModel const> MakeFile(
    const wchar_t* id, const wchar_t* original, const wchar_t* recovered, int hour)
{
    auto file = MakeRefCnt<AutosaveFilePresModel>();
    file->SetAutosaveFileId(TString(id));
    file->SetOriginalFilePath(TString(original));
    file->SetRecoveredFilePath(TString(recovered));
    file->SetLastModified(DateTime::FromQDateTime(QDateTime(QDate(2024, 5, 14), QTime(hour, 0))));
    return file;
}

// Newest first they are sales-noon, book2, sales-ten, budget: neither the host's order nor by name.
// book2 was never saved, so it goes by its copy's name, Book5.
inline Files FourCopies()
{
    return {MakeFile(L"sales-ten", L"C:\\Docs\\Sales.zwb", L"C:\\R\\Sales~autosave.zwb", 10),
        MakeFile(L"sales-noon", L"C:\\Docs\\Sales.zwb", L"C:\\R\\Sales~autosave1.zwb", 12),
        MakeFile(L"book2", L"Book2", L"C:\\R\\Book5~autosave2.zwb", 11),
        MakeFile(L"budget", L"C:\\Docs\\Budget.zwb", L"C:\\R\\Budget~autosave.zwb", 9)};
}

inline QStringList Ids(const Files& files)
{
    QStringList ids;
    for (const RefCntPtr<AutosaveFilePresModel const>& file : files)
        ids << file->GetAutosaveFileId().ToQString();
    return ids;
}

// As the window system delivers it: press, release, then the double-click in place of a second
// press. QTest::mouseDClick alone sends no first press, which an item view needs.
inline void DoubleClick(QWidget* viewport, const QPoint& at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::mousePress(viewport, Qt::LeftButton, modifiers, at);
    QTest::mouseRelease(viewport, Qt::LeftButton, modifiers, at);
    QTest::mouseDClick(viewport, Qt::LeftButton, modifiers, at);
}

} // namespace RecoveryTest
