#include "HostLog.h"

#include <QtCore/QDebug>

#include <mutex>

namespace {
struct Log
{
    std::mutex mutex;
    std::vector<TString> lines;
    const bool echo = qEnvironmentVariableIsSet("ZEL_HOST_LOG_ECHO");
};

Log& TheLog()
{
    static Log log;
    return log;
}

// The log is for reading what happened, not an archive; old lines go first.
constexpr std::size_t kMaxLines = 10000;
} // namespace

void LogMessage(const TString& text)
{
    Log& log = TheLog();
    std::lock_guard<std::mutex> lock(log.mutex);
    if (log.lines.size() == kMaxLines)
        log.lines.erase(log.lines.begin(), log.lines.begin() + kMaxLines / 2);
    log.lines.push_back(text);
    if (log.echo)
        qDebug().noquote() << "[host]" << text.ToQString();
}

namespace HostLog {
std::vector<TString> Lines()
{
    std::lock_guard<std::mutex> lock(TheLog().mutex);
    return TheLog().lines;
}

void Clear()
{
    std::lock_guard<std::mutex> lock(TheLog().mutex);
    TheLog().lines.clear();
}
} // namespace HostLog
