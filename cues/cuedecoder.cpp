// SPDX-FileCopyrightText: 2026 The Orvalen developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cues/cuedecoder.h"

#include <QProcess>
#include <QTimer>

namespace orv {

namespace {
CueSound refusal(const QString &why)
{
    CueSound sound;
    sound.problem = why;
    return sound;
}

void stop(QProcess *process)
{
    process->disconnect();
    process->kill();
    // Killed, it is gone at once; this only collects its exit.
    process->waitForFinished(1000);
}
} // namespace

CueDecoder::CueDecoder(QString program, std::chrono::milliseconds bound)
    : m_program(std::move(program)), m_bound(bound)
{
}

CueDecoder::~CueDecoder()
{
    for (QProcess *process : findChildren<QProcess *>(Qt::FindDirectChildrenOnly))
        stop(process);
}

void CueDecoder::decode(const QString &path)
{
    if (m_sounds.contains(path) || m_answers.contains(path))
        return;
    auto *process = new QProcess(this);
    m_answers.insert(path, {});
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::readyReadStandardOutput, this, [this, path, process] {
        QByteArray &answer = m_answers[path];
        answer += process->readAllStandardOutput();
        // Room for all of it as soon as its head says how long it is: a
        // minute of sound is not copied again as it grows.
        if (const qint64 whole = packedSize(answer); whole > answer.capacity())
            answer.reserve(qsizetype(whole));
    });
    connect(process, &QProcess::finished, this, [this, path, process](int code, QProcess::ExitStatus status) {
        process->deleteLater();
        if (status != QProcess::NormalExit) {
            finish(path, refusal(QStringLiteral("decoding it crashed")));
        } else if (code != 0) {
            finish(path, refusal(QStringLiteral("decoding it failed")));
        } else if (m_answers.contains(path)) {
            QByteArray &answer = m_answers[path];
            answer += process->readAllStandardOutput();
            finish(path, unpackCueSound(std::move(answer)));
        }
    });
    connect(process, &QProcess::errorOccurred, this, [this, path, process](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        finish(path, refusal(QStringLiteral("no cue decoder at %1").arg(m_program)));
    });
    auto *bound = new QTimer(process);
    bound->setSingleShot(true);
    connect(bound, &QTimer::timeout, this, [this, path, process] {
        stop(process);
        process->deleteLater();
        finish(path, refusal(QStringLiteral("not decoded within %1 s").arg(double(m_bound.count()) / 1000)));
    });
    bound->start(m_bound);
    process->start(m_program, {});
    // The path goes as UTF-8 on its input, which no system's code page
    // for arguments can mangle.
    process->write(path.toUtf8());
    process->closeWriteChannel();
}

void CueDecoder::finish(const QString &path, CueSound sound)
{
    if (!m_answers.remove(path))
        return;
    m_sounds.insert(path, std::make_shared<const CueSound>(std::move(sound)));
    emit decoded(path);
}

} // namespace orv
