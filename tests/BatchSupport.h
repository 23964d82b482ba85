#pragma once

#include "TestSupport.h"

#include <QByteArray>
#include <QStringList>

class BatchRunner;

// A stand-in tool that records its arguments and then waits, so that the test plays its part:
// writing the output and the log between ticks.
extern const QByteArray waitingTool;

// Ends the runner's tool process when the test is over.
class ToolReaper
{
public:
    explicit ToolReaper(const BatchRunner &runner) : m_runner(runner) {}
    ~ToolReaper();

private:
    const BatchRunner &m_runner;
};

// Plays the tool finishing the current job: the tool gone, the output written (unless told
// otherwise), the log closed with the end mark; then the two ticks that see it.
void finishToolJob(BatchRunner &runner, const TemporaryAppFolder &folder, bool withOutput = true);

// The arguments the waiting tool was started with, once it has recorded them.
QStringList waitingToolArguments(const TemporaryAppFolder &folder);
