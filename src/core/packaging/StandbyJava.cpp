#include "packaging/StandbyJava.h"

#include "codegen/Converter.h"
#include "io/Error.h"
#include "io/Paths.h"
#include "packaging/PlayerCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace kestrava::packaging {

// What one started process is: its id and our ends of its input (a socket,
// so writing to a process that died raises no signal) and of its outputs.
struct StandbyJava::Process {
    pid_t pid = 0;
    int input = -1;
    int output = -1;
    int errors = -1;
    bool dead = false;
    // It said it ends itself for an ended game's leftovers.
    bool restarting = false;
};

namespace {

constexpr auto kCompileLimit = std::chrono::minutes(2);
constexpr int kMaxReplyStrings = 16;
constexpr qint64 kMaxReplyBytes = qint64(16) << 20;

QByteArray message(const QStringList& strings)
{
    QByteArray bytes = QByteArray::number(strings.size()) + '\n';
    for (const QString& s : strings) {
        const QByteArray utf8 = s.toUtf8();
        bytes += QByteArray::number(utf8.size()) + '\n' + utf8;
    }
    return bytes;
}

// Takes the messages whole at the front of `buffer`; false when it holds something that is no message.
bool takeMessages(QByteArray& buffer, std::vector<QStringList>& messages)
{
    qsizetype at = 0;
    const auto number = [&](qint64 max, qint64* n) {
        const qsizetype end = buffer.indexOf('\n', at);
        if (end < 0)
            return buffer.size() - at <= 12 ? 0 : -1;
        bool ok = false;
        *n = buffer.mid(at, end - at).toLongLong(&ok);
        if (!ok || *n < 0 || *n > max)
            return -1;
        at = end + 1;
        return 1;
    };
    for (;;) {
        const qsizetype start = at;
        qint64 count = 0;
        int got = number(kMaxReplyStrings, &count);
        if (got <= 0) {
            buffer.remove(0, start);
            return got == 0;
        }
        QStringList strings;
        for (qint64 k = 0; k < count && got > 0; ++k) {
            qint64 length = 0;
            got = number(kMaxReplyBytes, &length);
            if (got > 0 && buffer.size() - at < length)
                got = 0;
            if (got > 0) {
                strings.append(QString::fromUtf8(buffer.mid(at, length)));
                at += length;
            }
        }
        if (got < 0)
            return false;
        if (got == 0) {
            buffer.remove(0, start);
            return true;
        }
        messages.push_back(strings);
    }
}

void closeIfOpen(int& fd)
{
    if (fd >= 0)
        ::close(fd);
    fd = -1;
}

} // namespace

StandbyJava::StandbyJava(const io::AppFolder& app, QObject* parent) : QObject(parent), m_app(app) {}

StandbyJava::~StandbyJava()
{
    std::unique_lock lock(m_mutex);
    endLocked(lock);
}

void StandbyJava::endLocked(std::unique_lock<std::mutex>& lock)
{
    std::shared_ptr<Process> process = m_process;
    if (process) {
        // The end of its input ends it; one that does not listen is killed.
        ::shutdown(process->input, SHUT_WR);
        const bool ended = m_replied.wait_for(lock, std::chrono::seconds(2), [&] { return process->dead; });
        if (!ended)
            ::kill(process->pid, SIGKILL);
    }
    lock.unlock();
    if (m_reader.joinable())
        m_reader.join();
    lock.lock();
    m_process.reset();
}

bool StandbyJava::running() const
{
    std::lock_guard lock(m_mutex);
    return m_process && !m_process->dead;
}

qint64 StandbyJava::pid() const
{
    std::lock_guard lock(m_mutex);
    return m_process && !m_process->dead ? m_process->pid : 0;
}

bool StandbyJava::start()
{
    std::unique_lock lock(m_mutex);
    return startLocked(lock, true);
}

bool StandbyJava::startLocked(std::unique_lock<std::mutex>& lock, bool warm)
{
    if (m_process && !m_process->dead)
        return true;
    if (m_starts >= kMaxStarts || !QFileInfo(m_app.player()).isFile())
        return false;
    QString java;
    try {
        java = findJavaTool(u"java"_s);
        m_compiler = describeGameCompiler(findGameCompiler());
    } catch (const io::Error&) {
        if (java.isEmpty())
            return false;
        m_compiler = GameCompiler{};
    }
    if (m_process) {
        // The last one died: its reader has ended or is about to.
        lock.unlock();
        if (m_reader.joinable())
            m_reader.join();
        lock.lock();
        m_process.reset();
    }
    ++m_starts;
    m_work = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/kestrava-standby-XXXXXX"_s);
    if (!m_work->isValid())
        return false;
    const QString nothing = m_work->path() + u"/nothing"_s;
    QDir().mkpath(nothing);

    QStringList arguments{java,
                          // One collector thread, and the quick compiler only: the process is small,
                          // and warms up in a few compiles instead of many.
                          u"-XX:+UseSerialGC"_s, u"-XX:TieredStopAtLevel=1"_s, u"-Xss4m"_s,
                          // The games' heap limit; the compiler needs far less.
                          gameHeapOption(),
                          // No statistics sampled every few milliseconds while it waits.
                          u"-XX:-UsePerfData"_s,
                          // Messages in English and UTF-8, as a compiler run alone gives them.
                          u"-Duser.language=en"_s, u"-Duser.country=US"_s, u"-Dfile.encoding=UTF-8"_s,
                          u"-Dsun.stdout.encoding=UTF-8"_s, u"-Dsun.stderr.encoding=UTF-8"_s, u"-jar"_s,
                          m_app.player(), u"--standby"_s};
    if (m_headless) {
        arguments.insert(arguments.indexOf(u"-jar"_s), u"-Djava.awt.headless=true"_s);
        arguments << u"--headless"_s;
    }
    for (const QString& jar : m_compiler.classPath)
        arguments << u"--compiler"_s << jar;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    for (const QString& name : {u"CLASSPATH"_s, u"JAVA_TOOL_OPTIONS"_s, u"_JAVA_OPTIONS"_s, u"JDK_JAVA_OPTIONS"_s})
        environment.remove(name);

    std::vector<QByteArray> argBytes, envBytes;
    for (const QString& a : arguments)
        argBytes.push_back(QFile::encodeName(a));
    for (const QString& e : environment.toStringList())
        envBytes.push_back(e.toLocal8Bit());
    std::vector<char*> argv, envp;
    for (QByteArray& a : argBytes)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (QByteArray& e : envBytes)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int input[2] = {-1, -1};
    int output[2] = {-1, -1};
    int errors[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, input) != 0 || ::pipe2(output, O_CLOEXEC) != 0 ||
        ::pipe2(errors, O_CLOEXEC) != 0) {
        for (int* fd : {&input[0], &input[1], &output[0], &output[1], &errors[0], &errors[1]})
            closeIfOpen(*fd);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[1], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errors[1], 2);
    // An empty folder of ours, and no descriptor of the editor's but these.
    const QByteArray folder = QFile::encodeName(nothing);
    posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group: a terminal's Ctrl+C is the editor's to handle.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawnattr_setpgroup(&attributes, 0);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    pid_t pid = 0;
    const int failed = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    closeIfOpen(input[1]);
    closeIfOpen(output[1]);
    closeIfOpen(errors[1]);
    if (failed != 0) {
        closeIfOpen(input[0]);
        closeIfOpen(output[0]);
        closeIfOpen(errors[0]);
        return false;
    }
    auto process = std::make_shared<Process>();
    process->pid = pid;
    process->input = input[0];
    process->output = output[0];
    process->errors = errors[0];
    m_process = process;
    m_reader = std::thread([this, process] { readReplies(process); });
    if (warm)
        warmUp();
    return true;
}

void StandbyJava::warmUp()
{
    // The runtime's own sources: compiling them loads and warms the compiler
    // while nobody waits; what it says is of no interest.
    if (m_compiler.classPath.isEmpty())
        return;
    const QString output = m_work->path() + u"/warm-up"_s;
    QDir().mkpath(output);
    QStringList request{u"compile"_s, QString::number(++m_serial)};
    request += compilerArguments(m_app.midpApi(), m_work->path() + u"/nothing"_s, m_work->path() + u"/nothing"_s,
                                 output);
    for (const char* name : codegen::kFixedSources)
        request.append(m_app.draftFile(QString::fromLatin1(name)));
    sendLocked(request);
}

bool StandbyJava::sendLocked(const QStringList& strings)
{
    if (!m_process || m_process->dead)
        return false;
    const QByteArray bytes = message(strings);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(m_process->input, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

void StandbyJava::readReplies(std::shared_ptr<Process> process)
{
    QByteArray buffer;
    char chunk[65536];
    bool errorsOpen = true;
    for (;;) {
        pollfd fds[2] = {{process->output, POLLIN, 0}, {errorsOpen ? process->errors : -1, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents) {
            // What games and the compiler print: read so the process never blocks on it.
            const ssize_t n = ::read(process->errors, chunk, sizeof chunk);
            if (n <= 0 && !(n < 0 && errno == EINTR))
                errorsOpen = false;
        }
        if (!fds[0].revents)
            continue;
        const ssize_t n = ::read(process->output, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        buffer.append(chunk, n);
        std::vector<QStringList> messages;
        if (!takeMessages(buffer, messages))
            break;
        for (const QStringList& m : messages) {
            if (m.size() < 2)
                continue;
            const qint64 id = m[1].toLongLong();
            const QString& kind = m[0];
            if (kind == u"frame"_s) {
                emit firstFrame();
                continue;
            }
            if (kind == u"failed"_s) {
                emit failed(m.value(2));
                continue;
            }
            std::unique_lock lock(m_mutex);
            if (kind == u"restarting"_s) {
                process->restarting = true;
                continue;
            }
            if (kind == u"compiled"_s || (kind == u"unavailable"_s && id != m_playSerial)) {
                m_replies[id] = m;
                m_replied.notify_all();
                continue;
            }
            // The answer to a play request; one superseded by a later request is dropped.
            if (id != m_playSerial)
                continue;
            m_playSerial = 0;
            lock.unlock();
            if (kind == u"playing"_s)
                emit playing();
            else if (kind == u"refused"_s)
                emit refused(m.value(2));
            else
                emit unavailable();
        }
    }
    // Gone, or speaking nonsense: either way it is done with.
    ::kill(process->pid, SIGKILL);
    while (::waitpid(process->pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    std::unique_lock lock(m_mutex);
    process->dead = true;
    closeIfOpen(process->input);
    closeIfOpen(process->output);
    closeIfOpen(process->errors);
    const bool playPending = m_playSerial != 0;
    m_playSerial = 0;
    if (process->restarting && m_starts > 0)
        --m_starts;
    m_replied.notify_all();
    lock.unlock();
    if (playPending)
        emit unavailable();
    // Warm again before the next build asks, on this object's thread: this one cannot wait for itself.
    if (process->restarting)
        QMetaObject::invokeMethod(this, [this] { start(); }, Qt::QueuedConnection);
}

std::optional<CompilerRun> StandbyJava::compile(const GameCompiler& compiler, const QStringList& arguments,
                                                const std::function<bool()>& cancelled)
{
    std::unique_lock lock(m_mutex);
    if (!startLocked(lock, false) || m_compiler.classPath.isEmpty() || compiler.identity != m_compiler.identity)
        return std::nullopt;
    const std::shared_ptr<Process> process = m_process;
    const qint64 id = ++m_serial;
    if (!sendLocked(QStringList{u"compile"_s, QString::number(id)} + arguments))
        return std::nullopt;
    const auto limit = std::chrono::steady_clock::now() + kCompileLimit;
    while (!m_replies.count(id) && !process->dead) {
        if ((cancelled && cancelled()) || std::chrono::steady_clock::now() > limit) {
            if (!(cancelled && cancelled()))
                ::kill(process->pid, SIGKILL);
            return std::nullopt;
        }
        m_replied.wait_for(lock, std::chrono::milliseconds(50));
    }
    const auto found = m_replies.find(id);
    if (found == m_replies.end())
        return std::nullopt;
    const QStringList reply = found->second;
    m_replies.erase(found);
    // Replies to requests nobody waits for any more are dropped.
    std::erase_if(m_replies, [id](const auto& entry) { return entry.first < id; });
    if (reply.value(0) != u"compiled"_s || reply.size() != 4)
        return std::nullopt;
    return CompilerRun{reply[2].toInt(), reply[3]};
}

bool StandbyJava::play(const QString& jad, const QString& title, int scale)
{
    std::unique_lock lock(m_mutex);
    if (!startLocked(lock, false))
        return false;
    const qint64 id = ++m_serial;
    m_playSerial = id;
    if (!sendLocked({u"play"_s, QString::number(id), jad, title, QString::number(scale)})) {
        m_playSerial = 0;
        return false;
    }
    return true;
}

void StandbyJava::stopGame()
{
    std::lock_guard lock(m_mutex);
    m_playSerial = 0;
    sendLocked({u"stop"_s, QString::number(++m_serial)});
}

} // namespace kestrava::packaging
