#include "app/single_instance.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtConcurrent>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using Request = SingleInstance::Request;
using Reply = SingleInstance::Reply;

namespace {

struct Outcome
{
    SingleInstance::Start start = SingleInstance::Start::Failed;
    Reply reply;
    QString error;
    qint64 tookMs = 0;
};

// A later start, in its own thread as it would be in its own process.
QFuture<Outcome> startLater(const QString &name, const Request &request, int waitMs = 10000)
{
    return QtConcurrent::run([=] {
        Outcome outcome;
        QElapsedTimer clock;
        clock.start();
        SingleInstance later(name);
        outcome.start = later.claimOrForward(request, &outcome.reply, &outcome.error, waitMs);
        outcome.tookMs = clock.elapsed();
        return outcome;
    });
}

// A first start: it asks for nothing.
SingleInstance::Start claim(SingleInstance &instance)
{
    Reply unused;
    QString error;
    return instance.claimOrForward(Request(), &unused, &error);
}

Request callOf(const QStringList &words)
{
    Request request;
    request.kind = Request::Kind::Call;
    request.callArguments = words;
    return request;
}

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir tmp;

    QString freshName()
    {
        static int n = 0;
        return tmp.path() + QStringLiteral("/instance%1").arg(++n);
    }

private slots:
    void namesFollowTheDeviceSource()
    {
        const QString bus = tmp.path() + QStringLiteral("/bus");
        QVERIFY(QDir().mkpath(bus));
        QVERIFY(QDir().mkpath(tmp.path() + QStringLiteral("/other")));
        const QString real = SingleInstance::serverName(false, QString());
        QVERIFY(!real.isEmpty());
        const QString virtualBus = SingleInstance::serverName(false, bus);
        QVERIFY(virtualBus != real);
        QCOMPARE(SingleInstance::serverName(false, tmp.path() + QStringLiteral("/./other/../bus/")),
                 virtualBus);
        QVERIFY(SingleInstance::serverName(false, tmp.path() + QStringLiteral("/other")) !=
                virtualBus);
        // Each demo run has its own mouse and never an instance.
        QVERIFY(SingleInstance::serverName(true, QString()).isEmpty());
    }

    void laterStartsHandTheirRequestToTheInstance()
    {
        const QString name = freshName();
        SingleInstance first(name);
        QCOMPARE(claim(first), SingleInstance::Start::Primary);
        QList<Request> handled;
        // A second request arriving while a call waits must not run inside it.
        int inside = 0;
        int mostInside = 0;
        first.setCallHandler([&](const Request &request) {
            handled.append(request);
            mostInside = qMax(mostInside, ++inside);
            QTest::qWait(200);
            --inside;
            return Reply{"{\"return\":1}\n", "a warning\n", 3};
        });
        int raised = 0;
        connect(&first, &SingleInstance::raiseRequested, this, [&raised] { ++raised; });

        Request call = callOf({"hid.hid_81H_GetReportRate", "0"});
        call.files = QStringList{QStringLiteral("/tmp/a.pf")};
        call.answers = QList<bool>{true, false};
        auto calling = startLater(name, call);
        auto other = startLater(name, callOf({"hid.b"}));
        QTRY_VERIFY(calling.isFinished() && other.isFinished());
        QCOMPARE(mostInside, 1);
        QCOMPARE(other.result().reply.exitCode, 3);
        const Outcome called = calling.result();
        QCOMPARE(called.start, SingleInstance::Start::Forwarded);
        QCOMPARE(called.reply.out, QByteArray("{\"return\":1}\n"));
        QCOMPARE(called.reply.err, QByteArray("a warning\n"));
        QCOMPARE(called.reply.exitCode, 3);
        QCOMPARE(handled.size(), 2);
        const Request &got =
            handled[0].callArguments == call.callArguments ? handled[0] : handled[1];
        QCOMPARE(got.callArguments, call.callArguments);
        QCOMPARE(got.files, call.files);
        QCOMPARE(got.answers, call.answers);

        auto raising = startLater(name, Request());
        QTRY_VERIFY(raising.isFinished());
        QCOMPARE(raising.result().start, SingleInstance::Start::Forwarded);
        QCOMPARE(raising.result().reply.exitCode, 0);
        QCOMPARE(raised, 1);
        QCOMPARE(handled.size(), 2);
    }

    void aRunWithoutWindowIsWaitedFor()
    {
        const QString name = freshName();
        auto headless = std::make_unique<SingleInstance>(name);
        QCOMPARE(claim(*headless), SingleInstance::Start::Primary);

        // It takes no requests; giving up in time is an error.
        auto impatient = startLater(name, Request(), 300);
        QTRY_VERIFY(impatient.isFinished());
        QCOMPARE(impatient.result().start, SingleInstance::Start::Failed);
        QVERIFY(!impatient.result().error.isEmpty());

        // Once it has ended, the waiting start becomes the instance.
        auto waiting = startLater(name, Request());
        QTest::qWait(500);
        QVERIFY(!waiting.isFinished());
        headless.reset();
        QTRY_VERIFY(waiting.isFinished());
        QCOMPARE(waiting.result().start, SingleInstance::Start::Primary);
        QVERIFY(waiting.result().tookMs >= 400);
    }

    void aFolderThatCannotBeUsedDoesNotStopTheProgram()
    {
        SingleInstance alone(tmp.path() + QStringLiteral("/missing/instance"));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("not checking for another")));
        QCOMPARE(claim(alone), SingleInstance::Start::Primary);
        QVERIFY(!alone.isListening());
    }

    void aCrashedInstancesSocketIsTakenOver()
    {
        // A socket file nobody listens on, as a killed instance leaves it.
        const QString name = freshName();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QVERIFY(fd >= 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(name);
        QVERIFY(size_t(path.size()) < sizeof address.sun_path);
        std::copy(path.begin(), path.end(), address.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
        ::close(fd);
        QVERIFY(QFile::exists(name));

        SingleInstance next(name);
        QCOMPARE(claim(next), SingleInstance::Start::Primary);
        QVERIFY(next.isListening());
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
