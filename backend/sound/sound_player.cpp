#include "backend/sound/sound_player.h"

#include <QFileInfo>
#include <utility>

SoundPlayer::SoundPlayer(QString mediaFolder, QObject *parent)
    : SoundPlayer(
          std::move(mediaFolder), [](int) { return createMediaChannel(); }, parent)
{
}

SoundPlayer::SoundPlayer(QString mediaFolder, ChannelFactory makeChannel, QObject *parent)
    : QObject(parent), m_mediaFolder(std::move(mediaFolder)), m_makeChannel(std::move(makeChannel))
{
}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::fileName(int index)
{
    if (index < 0 || index >= kPlayers) {
        return {};
    }
    return index == 0 ? QStringLiteral("00.mp3") : QStringLiteral("0%1.wav").arg(index);
}

MediaChannel &SoundPlayer::channel(int index)
{
    std::unique_ptr<MediaChannel> &slot = m_channels.at(std::size_t(index));
    if (!slot) {
        slot = m_makeChannel(index);
        // The background follows the start-up sound and loops on itself.
        if (index == 0 || index == 1) {
            connect(slot.get(), &MediaChannel::finished, this, &SoundPlayer::playBackground);
        }
    }
    return *slot;
}

QUrl SoundPlayer::sourceOf(int index) const
{
    return QUrl::fromLocalFile(
        QFileInfo(m_mediaFolder + QLatin1Char('/') + fileName(index)).absoluteFilePath());
}

void SoundPlayer::setEnabled(bool enabled)
{
    m_enabled = enabled;
}

void SoundPlayer::play(uchar index)
{
    if (!m_enabled || index >= kPlayers) {
        return;
    }
    if (index == 0) {
        playBackground();
        return;
    }
    MediaChannel &player = channel(index);
    player.clear();
    player.setSource(sourceOf(index));
    player.play();
}

void SoundPlayer::playBackground()
{
    MediaChannel &background = channel(0);
    background.setSource(sourceOf(0));
    background.play();
}

void SoundPlayer::stopAll()
{
    // A player that was never made has nothing to stop.
    for (const auto &player : m_channels) {
        if (player) {
            player->clear();
        }
    }
}
