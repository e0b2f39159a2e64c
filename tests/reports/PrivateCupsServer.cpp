#include "PrivateCupsServer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace {

// cups-pdf reads a queue's settings only from this folder.
const QString CupsPdfConfigFolder = QStringLiteral("/etc/cups");

bool WriteText(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(text.toUtf8()) == text.toUtf8().size() && file.flush();
}

// The scheduler and lpadmin live in sbin, which a test runner's PATH may leave out.
QString Tool(const QString &name)
{
    const QString found = QStandardPaths::findExecutable(name);
    if (!found.isEmpty())
        return found;
    const QString inSbin = QStandardPaths::findExecutable(name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return inSbin.isEmpty() ? name : inSbin;
}

// Queue settings left behind by a test program that died before it could remove them.
void RemoveStaleCupsPdfConfigs()
{
    const QRegularExpression ours(QStringLiteral("^cups-pdf-tamsic-(\\d+)-.*\\.conf$"));
    const QDir folder(CupsPdfConfigFolder);
    for (const QString &name : folder.entryList(QDir::Files)) {
        const QRegularExpressionMatch match = ours.match(name);
        if (match.hasMatch() && !QFileInfo::exists(QStringLiteral("/proc/") + match.captured(1)))
            QFile::remove(folder.filePath(name));
    }
}

} // namespace

PrivateCupsServer::PrivateCupsServer() = default;

PrivateCupsServer::~PrivateCupsServer()
{
    stop();
}

QString PrivateCupsServer::queue(const QString &shortName) const
{
    // The process id keeps queues of test programs running side by side apart in /etc/cups.
    return QStringLiteral("tamsic-%1-%2").arg(QCoreApplication::applicationPid()).arg(shortName);
}

QString PrivateCupsServer::outputFolder(const QString &shortName) const
{
    return m_folder.filePath(QStringLiteral("pdf-") + shortName);
}

QString PrivateCupsServer::cupsPdfConfigPath(const QString &shortName) const
{
    return CupsPdfConfigFolder + QStringLiteral("/cups-pdf-") + queue(shortName) + QStringLiteral(".conf");
}

bool PrivateCupsServer::start(const QStringList &queueNames)
{
    if (!m_folder.isValid()) {
        m_problem = QStringLiteral("no temporary folder: ") + m_folder.errorString();
        return false;
    }
    // The scheduler's helpers run as user lp and must reach the spool inside this folder.
    QFile::setPermissions(m_folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                               | QFile::ReadGroup | QFile::ExeGroup
                                               | QFile::ReadOther | QFile::ExeOther);
    RemoveStaleCupsPdfConfigs();
    if (!writeConfiguration())
        return false;

    qputenv("CUPS_SERVER", QFile::encodeName(m_folder.filePath(QStringLiteral("cups.sock"))));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(m_folder.filePath(QStringLiteral("root"))));
    // No personal lpoptions or printer variables may pick another default.
    qputenv("HOME", QFile::encodeName(m_folder.path()));
    qunsetenv("LPDEST");
    qunsetenv("PRINTER");

    m_cupsd = std::make_unique<QProcess>();
    m_cupsd->setProcessChannelMode(QProcess::ForwardedChannels);
    // The scheduler must not outlive a test program that crashes.
    m_cupsd->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_cupsd->start(Tool(QStringLiteral("cupsd")),
                   {QStringLiteral("-f"), QStringLiteral("-c"), m_folder.filePath(QStringLiteral("cupsd.conf")),
                    QStringLiteral("-s"), m_folder.filePath(QStringLiteral("cups-files.conf"))});
    if (!m_cupsd->waitForStarted(10000)) {
        m_problem = QStringLiteral("cupsd did not start: ") + m_cupsd->errorString();
        m_cupsd.reset();
        return false;
    }
    if (!waitUntilRunning())
        return false;
    for (const QString &name : queueNames)
        if (!addQueue(name))
            return false;
    return true;
}

bool PrivateCupsServer::writeConfiguration()
{
    const QDir dir(m_folder.path());
    for (const char *sub : {"root", "spool", "spool/tmp", "cache", "state", "log"})
        dir.mkpath(QString::fromLatin1(sub));
    const QString f = m_folder.path();
    const QString cupsdConf = QStringLiteral(
        "Listen %1/cups.sock\n"
        "LogLevel warn\n"
        "Browsing Off\n"
        "WebInterface No\n"
        "DefaultAuthType None\n"
        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n").arg(f);
    // The scheduler refuses to run its helpers as root, so they run as lp.
    const QString filesConf = QStringLiteral(
        "ServerRoot %1/root\n"
        "RequestRoot %1/spool\n"
        "TempDir %1/spool/tmp\n"
        "CacheDir %1/cache\n"
        "StateDir %1/state\n"
        "ErrorLog %1/log/error_log\n"
        "AccessLog %1/log/access_log\n"
        "PageLog %1/log/page_log\n"
        "Printcap %1/printcap\n"
        "User lp\n"
        "Group lp\n"
        "SystemGroup root\n"
        "Sandboxing Relaxed\n").arg(f);
    if (!WriteText(dir.filePath(QStringLiteral("cupsd.conf")), cupsdConf)
        || !WriteText(dir.filePath(QStringLiteral("cups-files.conf")), filesConf)) {
        m_problem = QStringLiteral("cannot write the scheduler's configuration in ") + f;
        return false;
    }
    return true;
}

QString PrivateCupsServer::logTail() const
{
    QString tail;
    const QDir logs(m_folder.filePath(QStringLiteral("log")));
    for (const QString &name : logs.entryList(QDir::Files)) {
        QFile file(logs.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QStringList lines = QString::fromLocal8Bit(file.readAll()).split(QLatin1Char('\n'));
        tail += QStringLiteral("--- %1\n").arg(name) + lines.mid(qMax(0, lines.size() - 12)).join(QLatin1Char('\n'));
    }
    return tail;
}

bool PrivateCupsServer::waitUntilRunning()
{
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired()) {
        if (m_cupsd->state() != QProcess::Running) {
            m_problem = QStringLiteral("cupsd ended at once (exit code %1)\n%2")
                            .arg(m_cupsd->exitCode())
                            .arg(logTail());
            return false;
        }
        QString output;
        if (run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &output)
            && output.contains(QStringLiteral("scheduler is running")))
            return true;
        QThread::msleep(100);
    }
    m_problem = QStringLiteral("cupsd did not answer within 20 seconds");
    return false;
}

bool PrivateCupsServer::addQueue(const QString &shortName)
{
    const QString out = outputFolder(shortName);
    QDir().mkpath(out);
    const QString config = QStringLiteral("Out %1\nSpool %2/cups-pdf-spool\nLog %2/log\n")
                               .arg(out, m_folder.path());
    if (!WriteText(cupsPdfConfigPath(shortName), config)) {
        m_problem = QStringLiteral("cannot write ") + cupsPdfConfigPath(shortName);
        return false;
    }
    m_queues.append(shortName);
    const QString name = queue(shortName);
    QString output;
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), name, QStringLiteral("-v"), QStringLiteral("cups-pdf:/") + name,
              QStringLiteral("-E"), QStringLiteral("-m"), QStringLiteral("lsb/usr/cups-pdf/CUPS-PDF_opt.ppd")},
             &output)) {
        m_problem = QStringLiteral("lpadmin could not add the PDF queue: ") + output + logTail();
        return false;
    }
    return true;
}

bool PrivateCupsServer::setDefault(const QString &shortName)
{
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue(shortName)});
}

bool PrivateCupsServer::rejectJobs(const QString &shortName)
{
    return run(QStringLiteral("cupsreject"), {queue(shortName)});
}

int PrivateCupsServer::jobCount(const QString &shortName) const
{
    QString output;
    run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue(shortName)},
        &output);
    return static_cast<int>(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QString PrivateCupsServer::waitForPdf(const QString &shortName, int timeoutMs) const
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        QString pending;
        run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue(shortName)}, &pending);
        const QFileInfoList pdfs = QDir(outputFolder(shortName))
                                       .entryInfoList({QStringLiteral("*.pdf")}, QDir::Files);
        if (pending.trimmed().isEmpty() && !pdfs.isEmpty())
            return pdfs.first().filePath();
        QThread::msleep(200);
    }
    return {};
}

bool PrivateCupsServer::run(const QString &program, const QStringList &arguments, QString *output) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Tool(program), arguments);
    const bool finished = process.waitForFinished(30000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void PrivateCupsServer::stop()
{
    if (m_cupsd) {
        m_cupsd->terminate(); // SIGTERM to the scheduler's own process id
        if (!m_cupsd->waitForFinished(10000))
            m_cupsd->kill();
        m_cupsd->waitForFinished(5000);
        m_cupsd.reset();
    }
    for (const QString &name : std::as_const(m_queues))
        QFile::remove(cupsPdfConfigPath(name));
    m_queues.clear();
}
