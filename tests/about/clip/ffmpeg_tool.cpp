#include "ffmpeg_tool.h"

#include <QFile>
#include <QProcess>

QString ffmpegProgram() { return QStringLiteral(NUMORIA_FFMPEG); }

QString runFfmpeg(const QStringList &arguments)
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(ffmpegProgram(), QStringList{"-nostdin", "-v", "error", "-y"} + arguments);
    if (!process.waitForStarted())
        return QStringLiteral("cannot start %1").arg(ffmpegProgram());
    process.waitForFinished(-1);
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return {};
    const QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    return error.isEmpty() ? QStringLiteral("ffmpeg failed") : error;
}

QString decodeWithFfmpeg(const QStringList &files)
{
    QStringList arguments;
    for (const QString &file : files)
        arguments << "-i" << file;
    for (qsizetype i = 0; i < files.size(); ++i)
        arguments << "-map" << QStringLiteral("%1:v").arg(i) << "-fps_mode" << "passthrough" << "-f" << "rawvideo"
                  << "-pix_fmt" << "bgra" << files[i] + ".bgra";
    return runFfmpeg(arguments);
}

std::vector<std::vector<std::uint32_t>> readFfmpegFrames(const QString &file, int width, int height)
{
    QFile raw(file + ".bgra");
    const QByteArray bytes = raw.open(QIODevice::ReadOnly) ? raw.readAll() : QByteArray();
    const qsizetype frameBytes = qsizetype{width} * height * 4;
    std::vector<std::vector<std::uint32_t>> frames;
    if (frameBytes == 0 || bytes.size() % frameBytes != 0)
        return frames;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        if (i % frameBytes == 0)
            frames.emplace_back();
        frames.back().push_back(p[i] | p[i + 1] << 8 | p[i + 2] << 16 | static_cast<std::uint32_t>(p[i + 3]) << 24);
    }
    return frames;
}
