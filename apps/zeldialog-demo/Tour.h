#pragma once

#include <QtCore/QString>

class DemoEnvironment;

// Runs every scenario's tour offscreen and writes one PNG per step and DIR/tour.md (a table of
// dialog class, step, screenshot and the commands exchanged in that step). A scenario that throws
// is reported in the table and the tour goes on. Returns the process exit code.
int RunTour(DemoEnvironment& environment, const QString& outputDirectory);
