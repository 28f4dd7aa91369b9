// Feeds arbitrary bytes to the readers of calibration data: a calibration file (.kal) as it is
// loaded from disk, and a calibration block as the recorder sends it.
#include "calib/calibrationblock.h"
#include "calib/calibrationfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace kapstat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    calib::CalibrationSet blockSet;
    calib::RangeScale scale;
    calib::calibrationblock::decode(link::ResponseBytes(bytes), blockSet, scale);

    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.kal"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
        calib::CalibrationSet fileSet;
        calib::calibrationfile::load(fileSet, path);
    }
    return 0;
}
