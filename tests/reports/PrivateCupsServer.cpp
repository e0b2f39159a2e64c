#include "PrivateCupsServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

// cups-pdf reads a queue's settings only from this folder.
const QString CupsPdfConfigFolder = QStringLiteral("/etc/cups");

bool WriteText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

QString PrivateCupsServer::queue(const QString &shortName) const
{
    // The process id keeps queues of test programs running side by side apart in /etc/cups.
    return QStringLiteral("tamsic-%1-%2").arg(QCoreApplication::applicationPid()).arg(shortName);
}

QString PrivateCupsServer::cupsPdfConfigPath(const QString &shortName) const
{
    return CupsPdfConfigFolder + QStringLiteral("/cups-pdf-") + queue(shortName) + QStringLiteral(".conf");
}

bool PrivateCupsServer::start(const QStringList &queueNames, const QString &defaultQueue,
                              const QString &rejectingQueue)
{
    // The scheduler and lpadmin live in sbin, which a test runner's PATH may leave out.
    qputenv("PATH", qgetenv("PATH") + ":/usr/sbin:/sbin");
    qputenv("CUPS_SERVER", QFile::encodeName(path(QStringLiteral("cups.sock"))));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(path(QStringLiteral("root"))));
    // No personal lpoptions or printer variables may pick another default.
    qputenv("HOME", QFile::encodeName(m_folder.path()));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");

    // The scheduler's helpers run as user lp (it refuses to run them as root) and must
    // reach the spool inside this folder.
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                               | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    for (const char *sub : {"root", "spool/tmp", "cache", "state", "log"})
        QDir(m_folder.path()).mkpath(QString::fromLatin1(sub));
    const QString cupsdConf = QStringLiteral("Listen %1/cups.sock\nLogLevel warn\nBrowsing Off\nWebInterface No\n"
                                             "DefaultAuthType None\nPreserveJobFiles Yes\n<Location />\n  Order allow,deny\n  Allow all\n"
                                             "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                             "  </Limit>\n</Policy>\n");
    const QString filesConf =
        QStringLiteral("ServerRoot %1/root\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                       "StateDir %1/state\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                       "PageLog %1/log/page_log\nPrintcap %1/printcap\nUser lp\nGroup lp\nSystemGroup root\n"
                       "Sandboxing Relaxed\n");
    if (!WriteText(path(QStringLiteral("cupsd.conf")), cupsdConf.arg(m_folder.path()))
        || !WriteText(path(QStringLiteral("cups-files.conf")), filesConf.arg(m_folder.path())))
        return fail(QStringLiteral("cannot write the scheduler's configuration"));
    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::ForwardedChannels);
    // The scheduler must not outlive a test program that crashes.
    m_cupsd->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd->start(QStringLiteral("cupsd"), {QStringLiteral("-f"), QStringLiteral("-c"), path(QStringLiteral("cupsd.conf")),
                                             QStringLiteral("-s"), path(QStringLiteral("cups-files.conf"))});
    const QDeadlineTimer deadline(20000);
    QString output;
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output)
           || !output.contains(QStringLiteral("scheduler is running"))) {
        if (!m_cupsd->waitForStarted(10000) || m_cupsd->state() != QProcess::Running || deadline.hasExpired())
            return fail(QStringLiteral("cupsd did not start or answer: ") + m_cupsd->errorString());
        QThread::msleep(100);
    }

    for (const QString &shortName : queueNames) {
        QDir().mkpath(path(QStringLiteral("pdf-") + shortName));
        m_queues.append(shortName);
        if (!WriteText(cupsPdfConfigPath(shortName), QStringLiteral("Out %1/pdf-%2\nSpool %1/cups-pdf-spool\nLog %1/log\n")
                                                        .arg(m_folder.path(), shortName)))
            return fail(QStringLiteral("cannot write ") + cupsPdfConfigPath(shortName));
        if (!run(QStringLiteral("lpadmin"),
                 {QStringLiteral("-p"), queue(shortName), QStringLiteral("-v"), QStringLiteral("cups-pdf:/") + queue(shortName),
                  QStringLiteral("-E"), QStringLiteral("-m"), QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")},
                 &output))
            return fail(QStringLiteral("lpadmin could not add the PDF queue: ") + output);
    }
    if (!run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue(defaultQueue)}, &output)
        || !run(QStringLiteral("cupsreject"), {queue(rejectingQueue)}, &output))
        return fail(QStringLiteral("lpadmin -d or cupsreject failed: ") + output);
    return true;
}

int PrivateCupsServer::jobCount(const QString &shortName) const
{
    QString output;
    run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue(shortName)},
        &output);
    return static_cast<int>(output.split(u'\n', Qt::SkipEmptyParts).size());
}

QString PrivateCupsServer::waitForPdf(const QString &shortName, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QString pending;
        run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue(shortName)}, &pending);
        const QFileInfoList pdfs =
            QDir(path(QStringLiteral("pdf-") + shortName)).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        if (pending.trimmed().isEmpty() && !pdfs.isEmpty())
            return pdfs.first().filePath();
        QThread::msleep(200);
    }
    return {};
}

QStringList PrivateCupsServer::jobDocuments() const
{
    const QDir spool(path(QStringLiteral("spool")));
    QStringList documents;
    for (const QString &name : spool.entryList({QStringLiteral("d*")}, QDir::Files, QDir::Name))
        documents << spool.filePath(name);
    return documents;
}

bool PrivateCupsServer::run(const QString &program, const QStringList &arguments, QString *output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(30000);
    *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void PrivateCupsServer::stop()
{
    if (m_cupsd) {
        m_cupsd->terminate(); // SIGTERM to the scheduler's own process id
        if (!m_cupsd->waitForFinished(10000))
            m_cupsd->kill();
        m_cupsd.reset();
    }
    for (const QString &name : std::as_const(m_queues))
        QFile::remove(cupsPdfConfigPath(name));
    m_queues.clear();
}
