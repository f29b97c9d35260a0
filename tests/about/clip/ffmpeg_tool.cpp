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
    for (qsizetype i = 0; i < files.size(); ++i) {
        arguments << "-map" << QStringLiteral("%1:v").arg(i) << "-fps_mode" << "passthrough"
                  << "-f" << "rawvideo" << "-pix_fmt" << "bgra" << files[i] + ".bgra";
    }
    return runFfmpeg(arguments);
}

DecodedFrames readFfmpegFrames(const QString &file, int width, int height)
{
    QFile raw(file + ".bgra");
    if (!raw.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("no FFmpeg output for %1").arg(file)};
    const QByteArray bytes = raw.readAll();
    const std::size_t frameBytes = static_cast<std::size_t>(width) * height * 4;
    const auto total = static_cast<std::size_t>(bytes.size());
    if (frameBytes == 0 || total % frameBytes != 0)
        return {{}, QStringLiteral("FFmpeg gave %1 bytes, not whole %2 x %3 frames").arg(total).arg(width).arg(height)};
    DecodedFrames decoded;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    for (std::size_t at = 0; at < total; at += frameBytes) {
        std::vector<std::uint32_t> frame(frameBytes / 4);
        for (std::size_t i = 0; i < frame.size(); ++i, p += 4)
            frame[i] = p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        decoded.frames.push_back(std::move(frame));
    }
    return decoded;
}
