#include "backend/prompts/headless_prompts.h"

#include <QTextStream>

namespace {

// Message boxes break their text into lines; a log line keeps it on one.
QString oneLine(const QString &text)
{
    return text.simplified();
}

} // namespace

HeadlessPrompts::HeadlessPrompts(QStringList filePaths, QList<bool> answers, QTextStream &messages)
    : files(std::move(filePaths)), answers(std::move(answers)), messages(messages)
{
}

QString HeadlessPrompts::nextFile(const QString &caption, const QString &filter)
{
    if (files.isEmpty()) {
        messages << "z4config: \"" << caption << "\" (" << filter
                 << ") wants a file and no --file is left: cancelled\n";
        messages.flush();
        return {};
    }
    return files.takeFirst();
}

QString HeadlessPrompts::openFileName(const QString &caption, const QString &,
                                      const QString &filter)
{
    return nextFile(caption, filter);
}

QString HeadlessPrompts::saveFileName(const QString &caption, const QString &,
                                      const QString &filter)
{
    return nextFile(caption, filter);
}

void HeadlessPrompts::warning(const QString &title, const QString &text)
{
    messages << "z4config: warning: " << oneLine(title) << ": " << oneLine(text) << "\n";
    messages.flush();
}

void HeadlessPrompts::failure(const QString &title, const QString &text)
{
    anyFailure = true;
    messages << "z4config: error: " << oneLine(title) << ": " << oneLine(text) << "\n";
    messages.flush();
}

bool HeadlessPrompts::askOkCancel(const QString &title, const QString &text)
{
    const bool given = !answers.isEmpty();
    const bool ok = given ? answers.takeFirst() : false;
    messages << "z4config: question: " << oneLine(title) << ": " << oneLine(text) << " -> "
             << (ok ? "OK" : "Cancel") << (given ? "" : " (default)") << "\n";
    messages.flush();
    return ok;
}
