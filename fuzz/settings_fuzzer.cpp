// Feeds arbitrary bytes to the readers of configuration data: a settings file (.ust) as it is
// loaded from disk, and a configuration image as the recorder sends it.
#include "config/configurationmodel.h"
#include "config/imagedecoder.h"
#include "config/settingsfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

using namespace kapstat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    config::ConfigurationModel imageModel;
    config::imagedecoder::apply(imageModel, bytes, size % 2 == 0);

    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fuzz.ust"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
        config::ConfigurationModel fileModel;
        config::SettingsFile::load(fileModel, path);
    }
    return 0;
}
