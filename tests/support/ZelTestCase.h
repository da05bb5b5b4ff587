#pragma once

#include <QtCore/QObject>
#include <QtCore/QPointer>
#include <QtCore/QSet>

class QWidget;

namespace ZelTest {

// Base of every test object. Around each test function it checks that the test left no counted
// record alive and no new top-level widget behind (deferred deletions are run first), so a leak
// fails the test that caused it rather than a later one.
//
// A test class that needs its own init() or cleanup() names them initCase()/cleanupCase()
// style helpers and calls them from its test functions; it must not declare init() or cleanup().
class ZelTestCase : public QObject
{
    Q_OBJECT

public:
    explicit ZelTestCase(QObject* parent = nullptr);

    // Counted records made before the guard started (static tables, the session's preferences).
    static long BaselineLiveInstances();

protected slots:
    void init();
    void cleanup();

private:
    long m_liveAtStart = 0;
    QSet<QWidget*> m_topLevelsAtStart;
};

// Runs posted events and deferred deletions until none are left (bounded).
void FlushDeferredDeletes();

} // namespace ZelTest
