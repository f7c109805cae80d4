#include "backend/sound/sound_player.h"

#include <QFileInfo>

SoundPlayer::SoundPlayer(QString mediaFolder, QObject *parent)
    : SoundPlayer(
          std::move(mediaFolder), [](int) { return createMediaChannel(); }, parent)
{
}

SoundPlayer::SoundPlayer(QString mediaFolder, const ChannelFactory &makeChannel, QObject *parent)
    : QObject(parent), m_mediaFolder(std::move(mediaFolder))
{
    for (int i = 0; i < kPlayers; ++i) {
        m_channels[std::size_t(i)] = makeChannel(i);
    }
    connect(m_channels[0].get(), &MediaChannel::finished, this, &SoundPlayer::playMedia_Background);
    connect(m_channels[1].get(), &MediaChannel::finished, this, &SoundPlayer::playMedia_Background);
}

SoundPlayer::~SoundPlayer() = default;

QString SoundPlayer::fileName(int index)
{
    if (index < 0 || index >= kPlayers) {
        return {};
    }
    return index == 0 ? QStringLiteral("00.mp3") : QStringLiteral("0%1.wav").arg(index);
}

QUrl SoundPlayer::sourceOf(int index) const
{
    return QUrl::fromLocalFile(
        QFileInfo(m_mediaFolder + QLatin1Char('/') + fileName(index)).absoluteFilePath());
}

void SoundPlayer::setEnableAudio(bool isEnable)
{
    m_enabled = isEnable;
}

void SoundPlayer::playMedia_Index(uchar index)
{
    if (!m_enabled || index >= kPlayers) {
        return;
    }
    if (index == 0) {
        playMedia_Background();
        return;
    }
    MediaChannel &player = channel(index);
    player.clear();
    player.setSource(sourceOf(index));
    player.play();
}

void SoundPlayer::playMedia_Background()
{
    MediaChannel &background = channel(0);
    background.setSource(sourceOf(0));
    background.play();
}

void SoundPlayer::clearAllMedia()
{
    for (const auto &player : m_channels) {
        player->clear();
    }
}
