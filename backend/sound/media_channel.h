#pragma once

#include <QObject>
#include <QUrl>
#include <memory>

// One sound player: holds at most one source and plays it once. The seam
// between SoundPlayer's rules and the platform's playback, so the rules can
// be checked without decoding anything.
class MediaChannel : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    virtual void setSource(const QUrl &source) = 0;
    // Plays the source from the start, or from where it was, if paused. A
    // source that ended plays again from the start.
    virtual void play() = 0;
    // Stops and drops the source. A pending finished() is withdrawn.
    virtual void clear() = 0;
    virtual bool isPlaying() const = 0;

signals:
    // The source was played to its end (not emitted for stop(), clear() or a
    // source that cannot be played). Always delivered from the event loop,
    // never from inside the call that caused it.
    void finished();
};

// The real player: Qt Multimedia's QMediaPlayer with its own audio output.
std::unique_ptr<MediaChannel> createMediaChannel(QObject *parent = nullptr);
