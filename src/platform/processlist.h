// Running processes: which run a given program, what a process runs, and ending one.
#pragma once

#include <QString>
#include <QtGlobal>

#include <vector>

namespace vantrelo {

struct TProcessFacts {
    qint64 pid = 0;
    QString path;     // the program file's full path; empty when it cannot be read
    QString baseName; // its file name
};

class TProcessList {
public:
    virtual ~TProcessList() = default;
    // Processes of the current user that run `program`: compared with the full path when it
    // holds a "/", else with the file name; without regard to case. Ascending process ids.
    virtual std::vector<qint64> FindProgram(const QString& program) const = 0;
    // False when no process with that id can be read.
    virtual bool Describe(qint64 pid, TProcessFacts* facts) const = 0;
    // Asks the process to end (it may tidy up first); false when it cannot be asked.
    virtual bool Terminate(qint64 pid) = 0;
    // Ends the process at once; false when it cannot be ended.
    virtual bool Kill(qint64 pid) = 0;
};

} // namespace vantrelo
