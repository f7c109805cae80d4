#include "backend/sound/sound_player.h"

#include <QDir>
#include <QTest>

namespace {

// Logs every call as "<index>:<call>" and plays until told it has finished.
class FakeMediaChannel final : public MediaChannel
{
public:
    FakeMediaChannel(int index, QStringList *log) : m_index(index), m_log(log) {}

    void setSource(const QUrl &source) override
    {
        m_source = source;
        note(QString("source ") + source.fileName());
    }
    void play() override
    {
        m_playing = !m_source.isEmpty();
        note(QString("play"));
    }
    void clear() override
    {
        m_playing = false;
        m_source.clear();
        note(QString("clear"));
    }
    bool isPlaying() const override { return m_playing; }

    QUrl source() const { return m_source; }
    // The sound reached its end.
    void finish()
    {
        m_playing = false;
        emit finished();
    }

private:
    void note(const QString &call) { m_log->append(QString::number(m_index) + u':' + call); }

    int m_index;
    QStringList *m_log;
    QUrl m_source;
    bool m_playing = false;
};

} // namespace

class TestSoundRules : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_log.clear();
        m_fakes = {};
        m_player = std::make_unique<SoundPlayer>(QString("media"), [this](int index) {
            auto channel = std::make_unique<FakeMediaChannel>(index, &m_log);
            m_fakes[std::size_t(index)] = channel.get();
            return channel;
        });
    }

    // Each effect restarts in a player of its own made when it first plays; >4 do nothing.
    void effectsRestartFromTheBeginning()
    {
        for (int index : {5, 6, 255})
            m_player->play(uchar(index));
        QVERIFY(m_log.isEmpty());
        m_player->stopAll();
        QVERIFY(m_log.isEmpty());
        const QStringList files{"", "01.wav", "02.wav", "03.wav", "04.wav"};
        for (int index = 1; index <= 4; ++index) {
            m_log.clear();
            const QString i = QString::number(index) + u':';
            const QString &file = files[index];
            m_player->play(uchar(index));
            m_player->play(uchar(index));
            QCOMPARE(m_log, (QStringList{i + "clear", i + "source " + file, i + "play", i + "clear",
                                         i + "source " + file, i + "play"}));
            QVERIFY(m_fakes[std::size_t(index)]->isPlaying());
            QCOMPARE(m_fakes[std::size_t(index)]->source(),
                     QUrl::fromLocalFile(QDir::current().absoluteFilePath("media/" + file)));
            for (int other = 0; other < SoundPlayer::kPlayers; ++other)
                QCOMPARE(m_player->hasChannel(other), other >= 1 && other <= index);
        }
    }

    void backgroundStartsWhenStartUpSoundEnds()
    {
        m_player->play(1);
        QVERIFY(!m_player->hasChannel(0));
        m_log.clear();
        for (int round = 0; round < 3; ++round) {
            (round ? m_fakes[0] : m_fakes[1])->finish(); // and then it loops
            QCOMPARE(m_log, (QStringList{"0:source 00.mp3", "0:play"}));
            QVERIFY(m_fakes[0]->isPlaying());
            m_log.clear();
        }
    }

    // Sound off from the start makes no player at all; switched on, nothing
    // plays until asked; off again, a running background plays on.
    void soundOffSilencesEffectsButNotARunningBackground()
    {
        m_player->setEnabled(false);
        m_player->play(1);
        m_player->play(4);
        QVERIFY(m_log.isEmpty());
        for (int i = 0; i < SoundPlayer::kPlayers; ++i)
            QVERIFY(!m_player->hasChannel(i));
        m_player->setEnabled(true);
        QVERIFY(m_log.isEmpty());
        m_player->play(0); // the background starts without clearing
        m_player->play(4);
        QCOMPARE(m_log, (QStringList{"0:source 00.mp3", "0:play", "4:clear", "4:source 04.wav",
                                     "4:play"}));

        m_player->setEnabled(false);
        QVERIFY(!m_player->isEnabled());
        m_log.clear();
        m_player->play(4);
        m_player->play(0);
        QVERIFY(m_log.isEmpty());
        QVERIFY(m_fakes[0]->isPlaying());
        m_fakes[0]->finish(); // it keeps looping until everything is cleared
        QVERIFY(m_fakes[0]->isPlaying());
        m_log.clear();
        m_player->stopAll();
        QCOMPARE(m_log, (QStringList{"0:clear", "4:clear"}));
        QVERIFY(!m_fakes[0]->isPlaying());
    }

private:
    QStringList m_log;
    std::array<FakeMediaChannel *, SoundPlayer::kPlayers> m_fakes{};
    std::unique_ptr<SoundPlayer> m_player;
};

QTEST_GUILESS_MAIN(TestSoundRules)
#include "tst_sound_rules.moc"
