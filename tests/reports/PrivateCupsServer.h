#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A CUPS scheduler of the tests' own: its configuration, spool, logs and socket live in
// a temporary folder, and this process (and Qt in it) talks to it through CUPS_SERVER.
// Each queue prints to PDF files in a folder of its own.
class PrivateCupsServer final {
public:
    ~PrivateCupsServer() { stop(); }

    // Must run before Qt first asks for printers. Adds the queues, makes one the default
    // and another refuse jobs. False with problem() set when anything failed.
    bool start(const QStringList &queueNames, const QString &defaultQueue, const QString &rejectingQueue);
    void stop();
    QString problem() const { return m_problem; }

    // The full queue name of a short name given to start().
    QString queue(const QString &shortName) const;
    // Every job the queue was ever given, finished or not.
    int jobCount(const QString &shortName) const;
    // Waits until the queue has no unfinished job and a PDF lies in its folder; the
    // PDF's path, or empty after the time-out.
    QString waitForPdf(const QString &shortName, int timeoutMs) const;
    // The documents the queues were handed, as the scheduler keeps them, oldest first.
    QStringList jobDocuments() const;

private:
    bool fail(const QString &problem)
    {
        m_problem = problem;
        return false;
    }
    bool run(const QString &program, const QStringList &arguments, QString *output) const;
    QString path(const QString &name) const { return m_folder.filePath(name); }
    QString cupsPdfConfigPath(const QString &shortName) const;

    QTemporaryDir m_folder;
    std::unique_ptr<QProcess> m_cupsd;
    QStringList m_queues;
    QString m_problem;
};
