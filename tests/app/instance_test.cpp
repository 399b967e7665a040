// One program per user: a file opened while the program runs goes to the running program, through
// its local socket. Tested with the real program in separate processes (the crash of a hand-over
// whose asker had already ended) and with two servers in this process (whose socket is kept).
#include "apptest.h"

#include "app/instance.h"

#include <QLocalServer>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace dravo;

namespace {

// The program started as a user would start it, in a home and a temporary folder of the test:
// the local socket lies in that temporary folder. Its message boxes close by themselves.
class Program {
  public:
    Program(const QString &home, const QString &tmp) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);
        env.insert(QStringLiteral("TMPDIR"), tmp);
        env.remove(QStringLiteral("XDG_CONFIG_HOME"));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
        env.insert(QStringLiteral("DRAVO_MESSAGE_TIMEOUT_MS"), QStringLiteral("400"));
        m_process.setProcessEnvironment(env);
        m_process.setProgram(QStringLiteral(DRAVO_PROGRAM));
        m_process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    }
    ~Program() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    void Start(const QStringList &arguments) {
        m_process.setArguments(arguments);
        m_process.start();
    }
    QProcess &Process() { return m_process; }

    // Waits until the program has noted that many closed messages holding text on its standard
    // error (an unattended run closes its messages by itself); what it writes is passed on.
    bool WaitForClosedMessages(const QString &text, int count, int ms = 30000) {
        const QByteArray marker = "message closed: " + text.toUtf8();
        QElapsedTimer clock;
        clock.start();
        while (m_errors.count(marker) < count) {
            if (clock.elapsed() > ms || m_process.state() == QProcess::NotRunning)
                return false;
            m_process.waitForReadyRead(100);
            const QByteArray more = m_process.readAllStandardError();
            std::fwrite(more.constData(), 1, std::size_t(more.size()), stderr);
            m_errors += more;
        }
        return true;
    }

  private:
    QProcess m_process;
    QByteArray m_errors;
};

// Waits until a program answers on the socket name.
bool WaitForListener(const QString &name, int ms = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        if (InstanceServer::SomebodyAnswers(name, 200))
            return true;
        QTest::qWait(100);
    }
    return false;
}

// A socket file that nobody listens on, as a program killed while running leaves it.
bool LeaveStaleSocket(const QString &path) {
    const QByteArray p = path.toLocal8Bit();
    sockaddr_un addr{};
    if (p.size() >= qsizetype(sizeof addr.sun_path))
        return false;
    addr.sun_family = AF_UNIX;
    std::copy(p.begin(), p.end(), addr.sun_path);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    if (fd < 0)
        return false;
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr *>(&addr), sizeof addr) == 0;
    ::close(fd);
    return bound && QFileInfo::exists(path);
}

} // namespace

class InstanceTest : public QObject {
    Q_OBJECT
  private slots:
    // A missing file named on the command line while no program runs: the message, then the
    // start ends with failure. While a program runs, the same start hands the file over; the
    // running program says it cannot open it and, once the message is closed, goes on working
    // (it used the connection of the asker, which had ended meanwhile, and crashed).
    void aMissingFileHandedOverLeavesTheRunningProgramAlive() {
        QTemporaryDir home, tmp;
        QVERIFY(home.isValid() && tmp.isValid());
        const QString missing = tmp.filePath(QStringLiteral("MISSING.adf"));
        const QString socketName = tmp.filePath(InstanceName());

        Program alone(home.path(), tmp.path());
        alone.Start({missing});
        QVERIFY(alone.Process().waitForFinished(60000));
        QCOMPARE(alone.Process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(alone.Process().exitCode(), 1);

        Program first(home.path(), tmp.path());
        first.Start({});
        QVERIFY2(WaitForListener(socketName), "the first program never listened");

        Program second(home.path(), tmp.path());
        second.Start({missing});
        QVERIFY(second.Process().waitForFinished(30000));
        QCOMPARE(second.Process().exitCode(), 0); // handed over

        // The first program's message closes by itself; it must then still be running and
        // take the next file (only its running event loop answers "ok").
        // The file system's reason names the file as the command line did (the temporary
        // folder's name is Russian: it read "Р”Р РђР’Рћ" when taken for windows-1251).
        const QString cannotOpen =
            QStringLiteral("Не удалось открыть документ %1. %1: ").arg(missing);
        QVERIFY2(first.WaitForClosedMessages(cannotOpen, 1), "the message never closed");
        QVERIFY(PassToRunningInstance(apptest::SampleTemplate(), socketName, 5000));
        // Files are opened in the order they come: once the message of the next missing file
        // has closed, the sample has been opened as well.
        QVERIFY(PassToRunningInstance(missing, socketName, 5000));
        QVERIFY2(first.WaitForClosedMessages(cannotOpen, 2), "the second message never closed");
        QVERIFY(InstanceServer::SomebodyAnswers(socketName, 5000));
        QCOMPARE(first.Process().state(), QProcess::Running);
    }

    // A second server on a name a running program answers on does not take it; a name nobody
    // answers on (a program killed earlier) is taken over.
    void aSocketIsRemovedOnlyWhenNobodyAnswers() {
        QTemporaryDir tmp;
        const QString name = tmp.filePath(QStringLiteral("instance"));
        InstanceServer running;
        QVERIFY(running.Listen(name));
        QSignalSpy opened(&running, &InstanceServer::openRequested);

        InstanceServer later;
        QVERIFY(!later.Listen(name));
        QSignalSpy stolen(&later, &InstanceServer::openRequested);
        // A hand-over still reaches the running program (the asker waits in a thread of its own
        // while this one serves).
        auto asked = std::async(std::launch::async, [&name] {
            return PassToRunningInstance(QStringLiteral("/x/a.adf"), name, 5000);
        });
        QTRY_VERIFY(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(asked.get());
        QTRY_COMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().toString(), QStringLiteral("/x/a.adf"));
        QCOMPARE(stolen.size(), 0);

        const QString stale = tmp.filePath(QStringLiteral("stale"));
        QVERIFY(LeaveStaleSocket(stale));
        QVERIFY(!InstanceServer::SomebodyAnswers(stale, 200));
        InstanceServer heir;
        QVERIFY(heir.Listen(stale));
        QVERIFY(InstanceServer::SomebodyAnswers(stale, 1000));
    }
};

DRAVO_APP_TEST_MAIN(InstanceTest)
#include "instance_test.moc"
