#pragma once

#include "backend/sound/media_channel.h"

#include <QStringList>

// Writes every call into a log shared by all players ("<index>:<call>"),
// plays until told it has finished.
class FakeMediaChannel final : public MediaChannel
{
public:
    FakeMediaChannel(int index, QStringList *log) : m_index(index), m_log(log) {}

    void setSource(const QUrl &source) override
    {
        m_source = source;
        note(QStringLiteral("source ") + source.fileName());
    }
    void play() override
    {
        m_playing = !m_source.isEmpty();
        note(QStringLiteral("play"));
    }
    void clear() override
    {
        m_playing = false;
        m_source.clear();
        note(QStringLiteral("clear"));
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
