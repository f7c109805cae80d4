#include "backend/sound/sound_player.h"
#include "sound/fake_media_channel.h"

#include <QDir>
#include <QTest>

class TestSoundRules : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_log.clear();
        m_fakes = {};
        m_player = std::make_unique<SoundPlayer>(QStringLiteral("media"), [this](int index) {
            auto channel = std::make_unique<FakeMediaChannel>(index, &m_log);
            m_fakes[std::size_t(index)] = channel.get();
            return channel;
        });
    }

    void indexesAbove4DoNothing_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("5") << 5;
        QTest::newRow("6") << 6;
        QTest::newRow("255") << 255;
    }
    void indexesAbove4DoNothing()
    {
        QFETCH(int, index);
        m_player->play(uchar(index));
        QVERIFY(m_log.isEmpty());
    }

    void effectsRestartFromTheBeginning_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("file");
        QTest::newRow("start-up") << 1 << "01.wav";
        QTest::newRow("page") << 2 << "02.wav";
        QTest::newRow("link") << 3 << "03.wav";
        QTest::newRow("click") << 4 << "04.wav";
    }
    void effectsRestartFromTheBeginning()
    {
        QFETCH(int, index);
        QFETCH(QString, file);
        const QString i = QString::number(index) + u':';
        m_player->play(uchar(index));
        m_player->play(uchar(index));
        QCOMPARE(m_log, (QStringList{i + "clear", i + "source " + file, i + "play", i + "clear",
                                     i + "source " + file, i + "play"}));
        QVERIFY(m_fakes[std::size_t(index)]->isPlaying());
        QCOMPARE(m_fakes[std::size_t(index)]->source(),
                 QUrl::fromLocalFile(QDir::current().absoluteFilePath("media/" + file)));
    }

    void index0StartsTheBackgroundWithoutClearing()
    {
        m_player->play(0);
        QCOMPARE(m_log, (QStringList{"0:source 00.mp3", "0:play"}));
        QVERIFY(m_fakes[0]->isPlaying());
    }

    void backgroundStartsWhenStartUpSoundEnds()
    {
        m_player->play(1);
        QVERIFY(!m_player->hasChannel(0));
        m_log.clear();
        m_fakes[1]->finish();
        QCOMPARE(m_log, (QStringList{"0:source 00.mp3", "0:play"}));
        QVERIFY(m_fakes[0]->isPlaying());
    }

    void backgroundRestartsWhenItEnds()
    {
        m_player->playBackground();
        for (int round = 0; round < 3; ++round) {
            m_log.clear();
            m_fakes[0]->finish();
            QCOMPARE(m_log, (QStringList{"0:source 00.mp3", "0:play"}));
            QVERIFY(m_fakes[0]->isPlaying());
        }
    }

    void soundOffSilencesEffectsButNotARunningBackground()
    {
        m_player->play(0);
        m_player->setEnabled(false);
        QVERIFY(!m_player->isEnabled());
        m_log.clear();

        m_player->play(4);
        m_player->play(0);
        QVERIFY(m_log.isEmpty());
        QVERIFY(m_fakes[0]->isPlaying());
        QVERIFY(!m_player->hasChannel(4));

        // It keeps looping…
        m_fakes[0]->finish();
        QVERIFY(m_fakes[0]->isPlaying());

        // …until everything is cleared.
        m_log.clear();
        m_player->stopAll();
        QCOMPARE(m_log, QStringList{"0:clear"});
        QVERIFY(!m_fakes[0]->isPlaying());
    }

    // The multimedia back end starts with the first player: none is made
    // before a sound plays, and each sound makes only its own.
    void playersAreMadeWhenTheirSoundFirstPlays()
    {
        for (int i = 0; i < SoundPlayer::kPlayers; ++i) {
            QVERIFY(!m_player->hasChannel(i));
        }
        m_player->stopAll();
        QVERIFY(m_log.isEmpty());

        m_player->play(4);
        m_player->play(4);
        QCOMPARE(m_log, (QStringList{"4:clear", "4:source 04.wav", "4:play", "4:clear",
                                     "4:source 04.wav", "4:play"}));
        for (int i = 0; i < SoundPlayer::kPlayers; ++i) {
            QCOMPARE(m_player->hasChannel(i), i == 4);
        }

        m_log.clear();
        m_player->stopAll();
        QCOMPARE(m_log, QStringList{"4:clear"});
    }

    void soundOffAtStartNeverStartsTheBackground()
    {
        m_player->setEnabled(false);
        m_player->play(1);
        m_player->play(4);
        QVERIFY(m_log.isEmpty());
        for (int i = 0; i < SoundPlayer::kPlayers; ++i) {
            QVERIFY(!m_player->hasChannel(i));
        }
    }

    void switchingSoundBackOn()
    {
        m_player->setEnabled(false);
        m_player->stopAll();
        m_log.clear();
        m_player->setEnabled(true);
        QVERIFY(m_log.isEmpty());
        m_player->play(0);
        QVERIFY(m_fakes[0]->isPlaying());
        m_player->play(4);
        QVERIFY(m_fakes[4]->isPlaying());
    }

private:
    QStringList m_log;
    std::array<FakeMediaChannel *, SoundPlayer::kPlayers> m_fakes{};
    std::unique_ptr<SoundPlayer> m_player;
};

QTEST_GUILESS_MAIN(TestSoundRules)
#include "tst_sound_rules.moc"
