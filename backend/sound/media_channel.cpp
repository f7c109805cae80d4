#include "backend/sound/media_channel.h"

#include "backend/backend_log.h"

#include <QAudioOutput>
#include <QMediaPlayer>

namespace {

class QtMediaChannel final : public MediaChannel
{
public:
    explicit QtMediaChannel(QObject *parent) : MediaChannel(parent) { renewPlayer(); }

    void setSource(const QUrl &source) override
    {
        dropFailedSource();
        m_player->setSource(source);
    }

    void play() override
    {
        if (m_player->mediaStatus() == QMediaPlayer::EndOfMedia) {
            m_player->setPosition(0);
        }
        m_player->play();
    }

    void clear() override
    {
        ++m_generation;
        dropFailedSource();
        m_player->stop();
        m_player->setSource(QUrl());
    }

    bool isPlaying() const override
    {
        return m_player->playbackState() == QMediaPlayer::PlayingState &&
               m_player->mediaStatus() != QMediaPlayer::InvalidMedia;
    }

private:
    void renewPlayer()
    {
        m_player = std::make_unique<QMediaPlayer>();
        m_player->setAudioOutput(&m_output);
        connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, this,
                [this](QMediaPlayer::MediaStatus status) {
                    if (status == QMediaPlayer::InvalidMedia) {
                        qCDebug(lcSound).noquote() << "Cannot play" << m_player->source().toString()
                                                   << m_player->errorString();
                    }
                    if (status != QMediaPlayer::EndOfMedia) {
                        return;
                    }
                    // The background loop restarts the player from this
                    // signal: let the back end finish its own state change
                    // first. A clear() in between cancels the notice.
                    const quint64 generation = m_generation;
                    QMetaObject::invokeMethod(
                        this,
                        [this, generation] {
                            if (generation == m_generation) {
                                emit finished();
                            }
                        },
                        Qt::QueuedConnection);
                });
    }

    // While a source is loading, and after it failed to load, the gstreamer
    // back end blocks a stop or source change for a second waiting for a
    // pipeline state that a bad file never reaches. Replacing the player
    // does not wait (and costs a few milliseconds, only in these states).
    void dropFailedSource()
    {
        const QMediaPlayer::MediaStatus status = m_player->mediaStatus();
        if (status == QMediaPlayer::InvalidMedia || status == QMediaPlayer::LoadingMedia) {
            renewPlayer();
        }
    }

    QAudioOutput m_output;
    std::unique_ptr<QMediaPlayer> m_player;
    quint64 m_generation = 0;
};

} // namespace

std::unique_ptr<MediaChannel> createMediaChannel(QObject *parent)
{
    return std::make_unique<QtMediaChannel>(parent);
}
