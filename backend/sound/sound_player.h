#pragma once

#include "backend/sound/media_channel.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <memory>

// The interface sounds: five players with one file each under the media
// folder (the shipped media folder):
//   0 "00.mp3" background track, repeated without end
//   1 "01.wav" start of the opening animation
//   2 "02.wav" a page opened, settings button
//   3 "03.wav" logo link clicked
//   4 "04.wav" two-state button, radio button or check box clicked
// The background starts when the start-up sound has ended and restarts each
// time it ends itself. Switching sound off only stops new effects: a running
// background plays on until stopAll().
//
// A player is made the first time its sound plays: starting the multimedia
// back end is a large part of the program's start-up time and memory, and
// while sound is off it is never started at all.
class SoundPlayer : public QObject
{
    Q_OBJECT

public:
    static constexpr int kPlayers = 5;
    using ChannelFactory = std::function<std::unique_ptr<MediaChannel>(int index)>;

    // Real players over the files in mediaFolder, each made the first time
    // its sound plays.
    explicit SoundPlayer(QString mediaFolder, QObject *parent = nullptr);
    SoundPlayer(QString mediaFolder, ChannelFactory makeChannel, QObject *parent = nullptr);
    ~SoundPlayer() override;

    static QString fileName(int index);
    QString mediaFolder() const { return m_mediaFolder; }
    bool isEnabled() const { return m_enabled; }
    // The player of sound `index`, made now if it has not played yet.
    MediaChannel &channel(int index);
    bool hasChannel(int index) const { return m_channels.at(std::size_t(index)) != nullptr; }

public slots:
    void setEnabled(bool enabled);
    // Plays sound `index` when sound is on; 0 (re)starts the background,
    // 1 … 4 restart their effect from the beginning; above 4 nothing.
    void play(uchar index);
    // (Re)starts the background, whether sound is on or not.
    void playBackground();
    // Stops and empties all five players (those that were ever made).
    void stopAll();

private:
    QUrl sourceOf(int index) const;

    QString m_mediaFolder;
    ChannelFactory m_makeChannel;
    bool m_enabled = true;
    std::array<std::unique_ptr<MediaChannel>, kPlayers> m_channels;
};
