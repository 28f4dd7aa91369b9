#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace kapstat::common {

// A text file written line by line through a large buffer, each line ended by CR LF, so that
// files of millions of lines cost neither memory nor a system call per line. The first failure
// stops the writing and is kept as a Polish message naming the file and the reason; what was
// written before it stays on disk.
class LineFileWriter
{
public:
    LineFileWriter() = default;
    LineFileWriter(const LineFileWriter&) = delete;
    LineFileWriter& operator=(const LineFileWriter&) = delete;
    ~LineFileWriter();

    // Creates the file, or empties it when it exists.
    bool open(const QString& path);
    // The line's bytes, already in the file's code page, without the line end.
    void writeLine(QByteArrayView line);
    // Writes what is buffered and closes the file; false when anything failed.
    bool close();

    bool failed() const { return !m_error.isEmpty(); }
    QString errorText() const { return m_error; }
    QString path() const { return m_path; }

private:
    void flush();
    void fail(const QString& message, int errorNumber);

    QString m_path;
    int m_descriptor = -1;
    QByteArray m_buffer;
    QString m_error;
};

} // namespace kapstat::common
