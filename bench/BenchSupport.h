#pragma once

// What the benchmarks over the simulated host share: wall time, heap in use, a dispatcher that
// counts one command on its way to the host, the figures kept for the summary after a run (with
// their samples over repetitions) and the summary's lines.

#include "host/doc/CommandDispatcher.h"
#include "sim/SampleWorkbook.h"
#include "sim/SimHost.h"

#include <QtCore/QDir>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace ZelBench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

// Heap bytes in use (small blocks and mmapped large ones): exact, and it goes down when memory is
// freed, unlike the resident set.
inline double HeapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// Sets the process up as the benchmarks measure in: offscreen, and as a host application, which
// always has more than one thread (glibc leaves out the atomic instructions of shared_ptr and
// reference counts while a process has never had a second one). Before the QApplication is made.
inline void PrepareProcess()
{
    std::thread([] {}).join();
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

inline QString WorkbookPath(qint64 rows, const QString& folder)
{
    return folder + QStringLiteral("/orders-%1.sqlite").arg(rows);
}

// The sample workbook of `rows` rows kept in `folder`: generated the first time (ten million rows
// take a while) and reused after. A workbook that cannot be opened ends the run.
inline std::unique_ptr<Zel::Sim::SampleWorkbook> OpenWorkbook(qint64 rows, const QString& folder)
{
    QDir().mkpath(folder);
    Zel::Sim::SampleWorkbook::Options options;
    options.rowCount = rows;
    options.databasePath = WorkbookPath(rows, folder);
    auto workbook = std::make_unique<Zel::Sim::SampleWorkbook>(options);
    const Clock::time_point start = Clock::now();
    if (!workbook->Open()) {
        std::fprintf(stderr, "cannot open the workbook: %s\n", qUtf8Printable(workbook->ErrorText()));
        std::exit(1);
    }
    std::printf("workbook of %lld rows: %s in %.1f s\n", rows,
        workbook->LastGeneration().reused ? "reused" : "generated", Seconds(Clock::now() - start));
    return workbook;
}

// Counts the commands of one id (the page commands) on their way to the simulated host.
class CountingDispatcher final : public ICommandDispatcher
{
public:
    CountingDispatcher(const ICommandDispatcher& host, int countedCommandId)
        : m_host(host)
        , m_countedCommandId(countedCommandId)
    {
    }
    RefCntPtr<IParameters const> ExecuteCommand(
        int commandId, RefCntPtr<IParameters const> parameters, void* reserved) const override
    {
        if (commandId == m_countedCommandId)
            ++m_pageFetches;
        return m_host.ExecuteCommand(commandId, std::move(parameters), reserved);
    }
    long long PageFetches() const { return m_pageFetches; }

private:
    const ICommandDispatcher& m_host;
    const int m_countedCommandId;
    mutable long long m_pageFetches = 0;
};

// The simulated host over the sample workbook of `rows` rows (kept in `folder`), and a dispatcher
// to it that counts the commands of one id. A benchmark's data set derives from it and
// adds its own area of the host, which its members destroy before these.
struct SimulatedWorkbook
{
    SimulatedWorkbook(qint64 rowCount, const QString& folder, int countedCommandId)
        : rows(rowCount)
        , workbook(OpenWorkbook(rowCount, folder))
        , host(std::make_unique<Zel::Sim::SimHost>())
        , counting(std::make_unique<CountingDispatcher>(*host, countedCommandId))
        , dispatcher(counting.get(), [](const ICommandDispatcher*) {})
    {
        host->SetExchangeLogEnabled(false);
    }

    qint64 rows;
    std::unique_ptr<Zel::Sim::SampleWorkbook> workbook;
    std::unique_ptr<Zel::Sim::SimHost> host;
    std::unique_ptr<CountingDispatcher> counting;
    std::shared_ptr<ICommandDispatcher const> dispatcher;
};

// Figures kept for the summary of targets after the run, by name.
inline std::map<std::string, double>& Figures()
{
    static std::map<std::string, double> figures;
    return figures;
}

// Every value a timed figure took, one per repetition (--benchmark_repetitions), by name; the
// summary quotes their median, as the aggregate report does.
inline std::map<std::string, std::vector<double>>& Samples()
{
    static std::map<std::string, std::vector<double>> samples;
    return samples;
}

// The median of a figure's samples; -1 when it was not measured.
inline double Median(const std::string& key)
{
    const auto it = Samples().find(key);
    if (it == Samples().end() || it->second.empty())
        return -1;
    std::vector<double> values = it->second;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

inline void Verdict(const char* target, bool met, const std::string& detail)
{
    std::printf("  %-7s %s  (%s)\n", met ? "MET" : "NOT MET", target, detail.c_str());
}

inline std::string Format(const char* format, double a, double b = 0, double c = 0, double d = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

} // namespace ZelBench
