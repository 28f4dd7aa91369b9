#include "common/linefilewriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kapstat::common {

namespace {

constexpr qsizetype BufferSize = 1 << 20;

QString tr(const char* text)
{
    return QCoreApplication::translate("kapstat::common::LineFileWriter", text);
}

// The system's reason in the program's language for the failures users meet; others as the
// system words them.
QString reason(int errorNumber)
{
    switch (errorNumber) {
    case ENOSPC:
        return tr("brak miejsca na dysku");
    case EDQUOT:
        return tr("przekroczony przydział miejsca na dysku");
    case EACCES:
    case EPERM:
        return tr("brak uprawnień do zapisu");
    case EROFS:
        return tr("nośnik jest tylko do odczytu");
    case ENOENT:
    case ENOTDIR:
        return tr("folder nie istnieje");
    case EISDIR:
        return tr("to jest folder");
    case ENAMETOOLONG:
        return tr("za długa nazwa");
    case EIO:
        return tr("błąd wejścia/wyjścia");
    default:
        return QString::fromLocal8Bit(std::strerror(errorNumber));
    }
}

QString writeFailure()
{
    return tr("Nie można zapisać pliku „%1”: %2.");
}

} // namespace

LineFileWriter::~LineFileWriter()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

bool LineFileWriter::open(const QString& path)
{
    m_path = path;
    m_error.clear();
    m_buffer.resize(0);
    m_buffer.reserve(BufferSize + 4096);
    m_descriptor =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (m_descriptor < 0) {
        const int error = errno; // before anything else can change it
        fail(tr("Nie można utworzyć pliku „%1”: %2."), error);
    }
    return m_descriptor >= 0;
}

void LineFileWriter::writeLine(QByteArrayView line)
{
    if (failed())
        return;
    m_buffer.append(line);
    m_buffer.append("\r\n", 2);
    if (m_buffer.size() >= BufferSize)
        flush();
}

bool LineFileWriter::close()
{
    if (m_descriptor < 0)
        return false;
    flush();
    // Some file systems report a failed write only when the file is closed.
    if (::close(m_descriptor) != 0 && !failed()) {
        const int error = errno;
        fail(writeFailure(), error);
    }
    m_descriptor = -1;
    return !failed();
}

void LineFileWriter::flush()
{
    const char* data = m_buffer.constData();
    qsizetype left = m_buffer.size();
    while (left > 0 && !failed()) {
        const ssize_t written = ::write(m_descriptor, data, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            fail(writeFailure(), error);
            break;
        }
        data += written;
        left -= written;
    }
    m_buffer.resize(0);
}

void LineFileWriter::fail(const QString& message, int errorNumber)
{
    m_error = message.arg(QDir::toNativeSeparators(m_path), reason(errorNumber));
}

} // namespace kapstat::common
