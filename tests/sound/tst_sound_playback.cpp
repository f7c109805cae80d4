#include "backend/sound/sound_player.h"

#include <QAudioDecoder>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// Real decoding and playback (into a null sink without audio device, in real time).
class TestSoundPlayback : public QObject
{
    Q_OBJECT

private slots:
    void shippedSoundsDecode_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("minMs");
        QTest::addColumn<int>("maxMs");
        QTest::newRow("background") << 0 << 2000 << 10000;
        QTest::newRow("start-up") << 1 << 300 << 2000;
        QTest::newRow("page") << 2 << 50 << 500;
        QTest::newRow("link") << 3 << 50 << 500;
        QTest::newRow("click") << 4 << 10 << 300;
    }
    void shippedSoundsDecode()
    {
        QFETCH(int, index);
        QFETCH(int, minMs);
        QFETCH(int, maxMs);
        QAudioDecoder decoder;
        decoder.setSource(QUrl::fromLocalFile(qEnvironmentVariable("Z4_BIN_DIR") +
                                              "/modules/media/" + SoundPlayer::fileName(index)));
        qint64 decodedUs = 0;
        bool failed = false;
        connect(&decoder, &QAudioDecoder::bufferReady, this,
                [&] { decodedUs += decoder.read().duration(); });
        connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this,
                [&] { failed = true; });
        QSignalSpy done(&decoder, &QAudioDecoder::finished);
        decoder.start();
        QTRY_VERIFY_WITH_TIMEOUT(done.count() == 1 || failed, 10000);
        QVERIFY2(!failed, qPrintable(decoder.errorString()));
        QVERIFY2(decodedUs >= qint64(minMs) * 1000 && decodedUs <= qint64(maxMs) * 1000,
                 qPrintable(QString::number(decodedUs)));
    }

    // Missing files neither play nor finish; a restarted start-up sound ends
    // once, then the background loops until everything is stopped.
    void restartedEffectEndsOnceThenTheBackgroundPlays()
    {
        QTemporaryDir empty;
        SoundPlayer silent(empty.path(), [](int) { return createMediaChannel(); });
        QSignalSpy missingEnded(&silent.channel(1), &MediaChannel::finished);
        silent.play(1);
        silent.play(4);
        SoundPlayer player(qEnvironmentVariable("Z4_SHORT_MEDIA"),
                           [](int) { return createMediaChannel(); });
        QSignalSpy ended(&player.channel(1), &MediaChannel::finished);
        QSignalSpy backgroundEnded(&player.channel(0), &MediaChannel::finished);
        player.setEnabled(true);
        player.play(1);
        QTest::qWait(30);
        player.play(1);
        QVERIFY(!player.channel(0).isPlaying());
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
        QVERIFY(player.channel(0).isPlaying());
        QTRY_VERIFY_WITH_TIMEOUT(backgroundEnded.count() >= 1, 5000);
        QVERIFY(player.channel(0).isPlaying()); // it loops
        player.stopAll();
        const auto endings = backgroundEnded.count();
        QTest::qWait(500); // longer than the stand-in track
        QCOMPARE(ended.count(), 1);
        QCOMPARE(backgroundEnded.count(), endings);
        QVERIFY(!player.channel(0).isPlaying());
        QCOMPARE(missingEnded.count(), 0);
        QVERIFY(!silent.channel(0).isPlaying());
    }
};

QTEST_GUILESS_MAIN(TestSoundPlayback)
#include "tst_sound_playback.moc"
